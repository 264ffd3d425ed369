#include "GdiPlusPng.h"
#include "PngResource.h"

bool CGdiPlusPngResource::Load(LPCWSTR name, HMODULE module) {
    Empty();
    const PngResourceBytes bytes = FindPngResource(module, name);
    if (bytes.data == nullptr || bytes.size == 0)
        return false;

    // Declared before the image, so that on failure the image goes first.
    CGlobalBlock block;
    if (!block.CopyFrom(bytes.data, bytes.size))
        return false;
    std::unique_ptr<Gdiplus::Image> image;
    {
        HRESULT result;
        StreamPtr stream = CreateStreamOnBlock(block, FALSE, &result);
        if (result != S_OK)
            return false;
        image.reset(new Gdiplus::Image(stream.Get()));
    }  // the image holds the only reference to the stream now
    // Read once: reading the status resets it.
    const Gdiplus::Status status = image ? image->GetLastStatus() : Gdiplus::OutOfMemory;
    if (status != Gdiplus::Ok) {
        ReportPngFailure(name, "decoding", static_cast<unsigned long>(status));
        return false;
    }

    m_pImage = std::move(image);
    m_hBuffer = std::move(block);
    return true;
}

void CGdiPlusPngResource::Empty() {
    m_pImage.reset();
    m_hBuffer.Free();
}
