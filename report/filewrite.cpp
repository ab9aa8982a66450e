#include "report/filewrite.h"

#include <QSaveFile>

namespace report {

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
    // Buffered bytes reach the disk here, so a full disk shows up as a
    // failed commit; the temporary file is removed either way.
    if (!file.commit())
        return file.errorString();
    return {};
}

}  // namespace report
