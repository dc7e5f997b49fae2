#include "savefile.h"

#include <QFile>
#include <QSaveFile>

namespace {

// Drops the half-written file and keeps the reason.
bool fail(QSaveFile &file, QString *error)
{
    if (error)
        *error = file.errorString();
    file.cancelWriting();
    return false;
}

} // namespace

bool saveFileAtomically(const QString &path, std::string_view bytes, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file, error);
    const char *data = bytes.data();
    qint64 left = qint64(bytes.size());
    while (left > 0) {
        const qint64 written = file.write(data, left);
        if (written <= 0)
            return fail(file, error);
        data += written;
        left -= written;
    }
    // commit() alone can report success after a short last write on a full
    // disk, so the buffer is pushed out and checked first.
    if (!file.flush() || file.error() != QFileDevice::NoError)
        return fail(file, error);
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool saveFileAtomically(const std::filesystem::path &path, std::string_view bytes, QString *error)
{
#ifdef _WIN32
    return saveFileAtomically(QString::fromStdWString(path.native()), bytes, error);
#else
    return saveFileAtomically(QFile::decodeName(QByteArray::fromStdString(path.native())), bytes, error);
#endif
}
