#include "office/ZipPackage.h"

#include <QBuffer>
#include <QDateTime>

#include <minizip/unzip.h>
#include <minizip/zip.h>

#include <algorithm>

namespace {

// minizip's file callbacks over a QIODevice that the caller opened; the
// "file name" minizip passes is ignored, the device is the stream.
voidpf ZCALLBACK deviceOpen(voidpf opaque, const void *, int)
{
    return opaque;
}

uLong ZCALLBACK deviceRead(voidpf, voidpf stream, void *buf, uLong size)
{
    const qint64 n = static_cast<QIODevice *>(stream)->read(static_cast<char *>(buf), size);
    return n < 0 ? 0 : uLong(n);
}

uLong ZCALLBACK deviceWrite(voidpf, voidpf stream, const void *buf, uLong size)
{
    const qint64 n
        = static_cast<QIODevice *>(stream)->write(static_cast<const char *>(buf), qint64(size));
    return n < 0 ? 0 : uLong(n);
}

ZPOS64_T ZCALLBACK deviceTell(voidpf, voidpf stream)
{
    return ZPOS64_T(static_cast<QIODevice *>(stream)->pos());
}

long ZCALLBACK deviceSeek(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    auto *device = static_cast<QIODevice *>(stream);
    qint64 base = 0;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR)
        base = device->pos();
    else if (origin == ZLIB_FILEFUNC_SEEK_END)
        base = device->size();
    const qint64 target = base + qint64(offset);
    if (target < 0)
        return -1;
    return device->seek(target) ? 0 : -1;
}

int ZCALLBACK deviceClose(voidpf, voidpf)
{
    return 0; // the device belongs to the caller
}

int ZCALLBACK deviceError(voidpf, voidpf)
{
    return 0;
}

zlib_filefunc64_def deviceFunctions(QIODevice *device)
{
    zlib_filefunc64_def functions;
    functions.zopen64_file = deviceOpen;
    functions.zread_file = deviceRead;
    functions.zwrite_file = deviceWrite;
    functions.ztell64_file = deviceTell;
    functions.zseek64_file = deviceSeek;
    functions.zclose_file = deviceClose;
    functions.zerror_file = deviceError;
    functions.opaque = device;
    return functions;
}

QString partKey(const QString &name)
{
    QString key = name.toLower();
    if (key.startsWith(QLatin1Char('/')))
        key.remove(0, 1);
    return key;
}

} // namespace

ZipReader::ZipReader(const QString &path) : file(path)
{
    if (!file.open(QIODevice::ReadOnly))
        return;
    zlib_filefunc64_def functions = deviceFunctions(&file);
    unzFile handle = unzOpen2_64("", &functions);
    if (!handle)
        return;
    unz_global_info64 info;
    if (unzGetGlobalInfo64(handle, &info) != UNZ_OK || info.number_entry > ZPOS64_T(maxEntries)) {
        unzClose(handle);
        return;
    }
    int status = unzGoToFirstFile(handle);
    while (status == UNZ_OK) {
        unz_file_info64 fileInfo;
        char name[1024];
        if (unzGetCurrentFileInfo64(handle, &fileInfo, name, sizeof name, nullptr, 0, nullptr, 0)
            != UNZ_OK)
            break;
        unz64_file_pos position;
        if (unzGetFilePos64(handle, &position) != UNZ_OK)
            break;
        // minizip leaves a name that fills the buffer unterminated.
        const int nameLength = int(std::min<uLong>(fileInfo.size_filename, sizeof name));
        entries.insert(partKey(QString::fromUtf8(name, nameLength)),
            {position.pos_in_zip_directory, position.num_of_file, fileInfo.uncompressed_size});
        if (entries.size() > maxEntries)
            break;
        status = unzGoToNextFile(handle);
    }
    if (status != UNZ_END_OF_LIST_OF_FILE) {
        unzClose(handle);
        entries.clear();
        return;
    }
    zip = handle;
}

ZipReader::~ZipReader()
{
    if (zip)
        unzClose(static_cast<unzFile>(zip));
}

bool ZipReader::contains(const QString &name) const
{
    return entries.contains(partKey(name));
}

std::unique_ptr<ZipEntryDevice> ZipReader::openEntry(const QString &name, qint64 limit)
{
    if (!zip)
        return nullptr;
    const auto it = entries.constFind(partKey(name));
    if (it == entries.constEnd() || it->uncompressedSize > quint64(limit))
        return nullptr;
    unz64_file_pos position {it->directoryOffset, it->fileNumber};
    if (unzGoToFilePos64(static_cast<unzFile>(zip), &position) != UNZ_OK
        || unzOpenCurrentFile(static_cast<unzFile>(zip)) != UNZ_OK)
        return nullptr;
    auto device = std::make_unique<ZipEntryDevice>(zip, limit);
    device->open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    return device;
}

ZipEntryDevice::ZipEntryDevice(void *zip, qint64 limit) : zip(zip), limit(limit) { }

ZipEntryDevice::~ZipEntryDevice()
{
    close();
}

void ZipEntryDevice::close()
{
    if (!zip)
        return;
    // The checksum is only known after the last byte; a partial read cannot check it.
    const int status = unzCloseCurrentFile(static_cast<unzFile>(zip));
    if (finished && status != UNZ_OK)
        broken = true;
    zip = nullptr;
    QIODevice::close();
}

qint64 ZipEntryDevice::readData(char *data, qint64 maxSize)
{
    if (!zip || finished || broken)
        return broken ? -1 : 0;
    const unsigned chunk = unsigned(std::min<qint64>(maxSize, 1 << 16));
    const int n = unzReadCurrentFile(static_cast<unzFile>(zip), data, chunk);
    if (n < 0) {
        broken = true;
        return -1;
    }
    if (n == 0) {
        finished = true;
        // Check the CRC now, so a parser that stops at the end still learns of damage.
        if (unzCloseCurrentFile(static_cast<unzFile>(zip)) != UNZ_OK)
            broken = true;
        zip = nullptr;
        return broken ? -1 : 0;
    }
    total += n;
    if (total > limit) {
        broken = true;
        return -1;
    }
    return n;
}

QByteArray ZipEntryDevice::readWhole()
{
    QByteArray all;
    char buffer[1 << 16];
    for (;;) {
        const qint64 n = read(buffer, sizeof buffer);
        if (n <= 0)
            break;
        all.append(buffer, int(n));
    }
    return broken ? QByteArray() : all;
}

QByteArray buildZip(const QVector<QPair<QString, QByteArray>> &files)
{
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    zlib_filefunc64_def functions = deviceFunctions(&buffer);
    zipFile zip = zipOpen2_64("", APPEND_STATUS_CREATE, nullptr, &functions);
    if (!zip)
        return {};
    const QDateTime now = QDateTime::currentDateTime();
    zip_fileinfo info {};
    info.tmz_date.tm_year = uInt(now.date().year());
    info.tmz_date.tm_mon = uInt(now.date().month() - 1);
    info.tmz_date.tm_mday = uInt(now.date().day());
    info.tmz_date.tm_hour = uInt(now.time().hour());
    info.tmz_date.tm_min = uInt(now.time().minute());
    info.tmz_date.tm_sec = uInt(now.time().second());
    bool ok = true;
    for (const auto &entry : files) {
        const QByteArray name = entry.first.toUtf8();
        if (zipOpenNewFileInZip64(zip, name.constData(), &info, nullptr, 0, nullptr, 0, nullptr,
                Z_DEFLATED, Z_DEFAULT_COMPRESSION, 0)
            != ZIP_OK) {
            ok = false;
            break;
        }
        ok = zipWriteInFileInZip(zip, entry.second.constData(), unsigned(entry.second.size()))
            == ZIP_OK;
        ok = zipCloseFileInZip(zip) == ZIP_OK && ok;
        if (!ok)
            break;
    }
    ok = zipClose(zip, nullptr) == ZIP_OK && ok;
    return ok ? buffer.data() : QByteArray();
}
