// Feeds arbitrary bytes to the parameter file reader. A layout it reads is written, read and
// written again: the second reading must succeed and give the same bytes.
#include "setup/ParameterFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    PrintLayout first;
    if (!parameterfile::apply(bytes, first))
        return 0;
    const QByteArray written = parameterfile::encode(first);
    PrintLayout second;
    second.printFrame = !first.printFrame;
    second.printCutMarks = !first.printCutMarks;
    if (!parameterfile::apply(written, second))
        std::abort(); // the writer wrote what its reader refuses
    if (parameterfile::encode(second) != written)
        std::abort(); // a value changed on the way through the file
    return 0;
}
