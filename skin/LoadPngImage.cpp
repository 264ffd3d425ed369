#include "LoadPngImage.h"

#include <map>
#include <utility>

#include "GlobalBlock.h"
#include "PngResource.h"

namespace {

// `status` gets the decode's result (GDI+ resets it once it is read).
std::unique_ptr<Gdiplus::Image> Decode(HMODULE module, WORD id, Gdiplus::Status* status) {
    *status = Gdiplus::GenericError;
    const PngResourceBytes bytes = FindPngResource(module, MAKEINTRESOURCEW(id));
    if (bytes.data == nullptr)
        return nullptr;
    CGlobalBlock block;
    if (!block.CopyFrom(bytes.data, bytes.size))
        return nullptr;
    block.Unlock();

    HRESULT result;
    StreamPtr stream = CreateStreamOnBlock(block, TRUE, &result);
    if (!stream)
        return nullptr;
    block.Release();  // the stream frees it with its last reference
    std::unique_ptr<Gdiplus::Image> image(new Gdiplus::Image(stream.Get()));
    *status = image->GetLastStatus();
    if (*status != Gdiplus::Ok)
        ReportPngFailure(MAKEINTRESOURCEW(id), "decoding", static_cast<unsigned long>(*status));
    return image;
}

// Every game window decodes the same nine strips: each is decoded once per
// process and handed out as copies. The decoded images are kept, as GDI+
// is, to the end of the process (never deleted: GDI+ may be gone by the
// time static objects are destroyed).
using DecodedImages = std::map<std::pair<HMODULE, WORD>, Gdiplus::Image*>;
DecodedImages& Decoded() {
    static auto* decoded = new DecodedImages;
    return *decoded;
}

}  // namespace

std::unique_ptr<Gdiplus::Image> LoadPngImage(HMODULE module, WORD id) {
    Gdiplus::Image*& kept = Decoded()[{module, id}];
    if (kept == nullptr) {
        Gdiplus::Status status;
        std::unique_ptr<Gdiplus::Image> image = Decode(module, id, &status);
        // Only what decoded is kept; a failure is tried afresh each time.
        if (!image || status != Gdiplus::Ok)
            return image;
        kept = image.release();
    }
    return std::unique_ptr<Gdiplus::Image>(kept->Clone());
}
