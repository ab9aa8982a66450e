#include "atomicfile/atomicfile.h"

#include <QSaveFile>

namespace atomicfile {

QString writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    // Qt's commit renames the file over the old one even when the flush it
    // closes with fails, as on a full disk with a small file: so the last
    // buffered bytes are flushed, and looked at, first. Uncommitted, the
    // temporary file goes with the QSaveFile.
    if (!file.flush() || !file.commit())
        return file.errorString();
    return {};
}

}  // namespace atomicfile
