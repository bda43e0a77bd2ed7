#include "win32/config/PictureDecoder.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <algorithm>
#include <vector>

namespace brisander {

using Microsoft::WRL::ComPtr;

HBITMAP DecodePicture(std::span<const uint8_t> bytes) {
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  ComPtr<IWICFormatConverter> converter;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&factory))) ||
      FAILED(factory->CreateStream(&stream)) ||
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()),
                                          static_cast<DWORD>(bytes.size()))) ||
      FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                              &decoder)) ||
      FAILED(decoder->GetFrame(0, &frame)) || FAILED(factory->CreateFormatConverter(&converter)) ||
      // Every decoder's format converts to 32 bits per pixel (not all to 24,
      // 16-colour bitmaps among them); the rows are packed to 24 below.
      FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone,
                                   nullptr, 0.0, WICBitmapPaletteTypeCustom))) {
    return nullptr;
  }

  UINT width = 0, height = 0;
  if (FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0) return nullptr;
  std::vector<BYTE> decoded(size_t{width} * height * 4);
  if (FAILED(converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(decoded.size()), decoded.data()))) {
    return nullptr;
  }

  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down, as WIC delivers rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (!bitmap) return nullptr;

  const UINT stride = (width * 3 + 3) & ~3u;  // DIB rows are DWORD-aligned
  for (UINT y = 0; y < height; ++y) {
    const BYTE* from = &decoded[size_t{y} * width * 4];
    BYTE* to = static_cast<BYTE*>(pixels) + size_t{y} * stride;
    for (UINT x = 0; x < width; ++x, from += 4, to += 3) std::copy(from, from + 3, to);
  }
  return bitmap;
}

}  // namespace brisander
