#pragma once

#include <QString>

#include <memory>

namespace store {

// Where collections come from. Every folder root of the store is one local source.
struct Source
{
    enum class Type { Local = 0 };

    QString sourceIdentifier;
    QString title;
    Type sourceType = Type::Local;
    QString rootPath;
};

using SourcePtr = std::shared_ptr<Source>;

} // namespace store
