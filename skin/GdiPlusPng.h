#pragma once
// Holders of one GDI+ image decoded from a "PNG" resource.
#include "GdiPlus.h"
#include "GlobalBlock.h"
#include <memory>

class CGdiPlusPng {
public:
    CGdiPlusPng() = default;
    CGdiPlusPng(const CGdiPlusPng&) = delete;
    CGdiPlusPng& operator=(const CGdiPlusPng&) = delete;
    virtual ~CGdiPlusPng() = default;

    // 0 when empty or when GDI+ cannot tell.
    UINT GetWidth() const { return m_pImage ? m_pImage->GetWidth() : 0; }
    UINT GetHeight() const { return m_pImage ? m_pImage->GetHeight() : 0; }

    std::unique_ptr<Gdiplus::Image> m_pImage;  // null when empty
};

// Keeps the image together with the block it was decoded from: GDI+ may
// read the stream again at any time while the image lives.
class CGdiPlusPngResource : public CGdiPlusPng {
public:
    ~CGdiPlusPngResource() override { Empty(); }

    // Releases what was held, then decodes the "PNG" resource `name` of
    // `module`. False, with the holder empty, when there is no decodable image.
    bool Load(LPCWSTR name, HMODULE module);
    // Deletes the image, then frees its block.
    void Empty();

    CGlobalBlock m_hBuffer;  // locked once while held; the stream does not own it
};
