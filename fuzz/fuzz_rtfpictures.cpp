// Feeds arbitrary bytes to the picture decoders as each kind of RTF picture
// data: the first bytes choose the kind and the sizes the control words
// would have given.

#include "document/RtfPictures.h"


#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 8)
        return 0;
    RtfPictures::Picture picture;
    picture.kind = static_cast<RtfPictures::Kind>(data[0] % 9);
    picture.width = int(data[1]) * 8 - 16;
    picture.height = int(data[2]) * 8 - 16;
    picture.goalWidth = (int(data[3]) - 128) * 150;
    picture.goalHeight = (int(data[4]) - 128) * 150;
    picture.ddbBitsPerPixel = data[5] % 40;
    picture.ddbPlanes = data[6] % 3;
    picture.ddbWidthBytes = int(data[7]) * 4 - 8;
    picture.data = QByteArray(reinterpret_cast<const char *>(data + 8), qsizetype(size - 8));

    const RtfPictures::Shown shown = RtfPictures::decode(picture);
    if (shown.image.isNull() || !(shown.size.width() >= 1 && shown.size.height() >= 1))
        abort(); // a picture always shows something, at a sane size
    return 0;
}
