#pragma once

#include <QByteArray>
#include <QString>

namespace atomicfile {

// Writes the bytes to the file at path as a whole or not at all: into a
// temporary file beside it, renamed over the old file only once every byte
// is on disk. When anything fails (a folder that cannot be written, a full
// disk) an existing file keeps its contents and no partial file is left.
// Returns an empty text when written, otherwise the reason, for the user.
QString writeFileAtomically(const QString& path, const QByteArray& bytes);

}  // namespace atomicfile
