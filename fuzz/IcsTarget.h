#pragma once

#include "FuzzTarget.h"

// Any bytes as one file of the store. A file the reader accepts must serialize unchanged to
// the very same bytes, read the same after that, save an unchanged task without touching a
// byte, and keep every field through an edit and through a file written anew.
class IcsTarget : public FuzzTarget
{
public:
    IcsTarget();
    QStringList run(QByteArrayView input) override;
};
