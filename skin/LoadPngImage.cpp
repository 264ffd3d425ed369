#include "LoadPngImage.h"
#include "GlobalBlock.h"
#include "PngResource.h"

std::unique_ptr<Gdiplus::Image> LoadPngImage(HMODULE module, WORD id) {
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
    if (const Gdiplus::Status status = image->GetLastStatus(); status != Gdiplus::Ok)
        ReportPngFailure(MAKEINTRESOURCEW(id), "decoding", static_cast<unsigned long>(status));
    return image;
}
