// Feeds arbitrary bytes to the card file reader. What it reads is written, read and written
// again: the second reading must succeed and give the same bytes.
#include "card/CardFileReader.h"
#include "card/CardFileWriter.h"
#include "platform/PictureLoader.h"

#include <cstdint>
#include <cstdlib>

namespace {

// Logos are never decoded here: the picture loader has its own target.
class NoPictures : public PictureLoader {
public:
    std::optional<Picture> load(const QString&) override { return Picture(); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    NoPictures pictures;
    CardDocument first;
    if (cardfile::readBytes(bytes, first, pictures).status != CardReadResult::Status::Read)
        return 0;
    const QByteArray written = cardfile::toBytes(first);
    CardDocument second;
    if (cardfile::readBytes(written, second, pictures).status != CardReadResult::Status::Read)
        std::abort(); // the writer wrote what its reader refuses
    if (cardfile::toBytes(second) != written)
        std::abort(); // a value changed on the way through the file
    return 0;
}
