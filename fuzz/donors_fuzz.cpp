// The donors list as it arrives from the server: any bytes give a list of
// names that are never empty and, when marked, end with the single mark.
//   input: the bytes of a don.K1 file
#include "online/core/donorslist.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList names = donorslist::parse(bytes);
    for (const QString &name : names) {
        if (name.isEmpty() || name == QStringLiteral("$"))
            std::abort();
    }
    (void)donorslist::listProblem(bytes);
    return 0;
}
