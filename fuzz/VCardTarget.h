#pragma once

#include "FuzzTarget.h"

// Any bytes as one vCard file of the address book. The reader never fails as a whole, so
// what it gives must not hang on how lines end: the same file with CRLF or LF line ends reads
// the same, and a well-formed card put in front adds exactly that card. Every address the
// location search offers from the cards stays on one line.
class VCardTarget : public FuzzTarget
{
public:
    QStringList run(QByteArrayView input) override;
};
