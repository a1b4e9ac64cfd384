#include "tests/support/Photos.h"

#include "tests/support/LinuxTools.h"

// Photos as a camera leaves them: an 8x8 grey JPEG written by Python, its tags by exiftool.
bool makePhotos(const QStringList &paths, const QList<QStringList> &tags)
{
    static const char jpeg[] = R"(import struct, sys
def seg(m, b): return b'\xff' + bytes([m]) + struct.pack('>H', len(b) + 2) + b
j = b'\xff\xd8' + seg(0xE0, b'JFIF\0\x01\x01\0\0\x01\0\x01\0\0') + seg(0xDB, b'\0' + bytes([1] * 64))
j += seg(0xC0, b'\x08\0\x08\0\x08\x01\x01\x11\x00')
for c in (0, 0x10): j += seg(0xC4, bytes([c, 1] + [0] * 15) + b'\x00')
j += seg(0xDA, b'\x01\x01\x00\x00\x3f\x00') + b'\x3f\xff\xd9'
for p in sys.argv[1:]: open(p, 'wb').write(j))";
    if (!runLinuxTool(QStringLiteral("/usr/bin/python3"), QStringList {"-c", jpeg} + paths).ok())
        return false;
    QStringList args;
    for (int i = 0; i < paths.size(); ++i) {
        if (!tags.at(i).isEmpty())
            args << QStringList {"-q", "-overwrite_original"} + tags.at(i) << paths.at(i)
                 << "-execute";
    }
    return args.isEmpty() || runLinuxTool(QStringLiteral("exiftool"), args).ok();
}
