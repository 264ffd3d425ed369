#pragma once
// A stand-alone image from a "PNG" resource: deleting it releases everything,
// its memory block included (the block belongs to the image's stream).
#include "GdiPlus.h"
#include <memory>

// Null when the resource is missing or nothing could be allocated. The image
// may have failed to decode; its width and height then read 0.
std::unique_ptr<Gdiplus::Image> LoadPngImage(HMODULE module, WORD id);
