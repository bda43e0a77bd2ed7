#include <windows.h>

#include <objbase.h>
#include <wincodec.h>
#include <wrl/client.h>

#include "resources/Pictures.h"

namespace brisander {

using Microsoft::WRL::ComPtr;

namespace {

// COM for the time of one call, on threads where nobody has initialised it;
// a thread that already has it keeps its apartment, and the count stays
// balanced either way.
class ComScope {
 public:
  ComScope() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
  ~ComScope() {
    if (initialised_) CoUninitialize();
  }

 private:
  bool initialised_;
};

// A failed WIC call stands for data the decoder cannot read; the code of
// its HRESULT takes the place of libjpeg's message code.
void Check(HRESULT result) {
  if (FAILED(result)) throw JpegError(HRESULT_CODE(result));
}

// WIC does not tell whether a JPEG has several scans; the marker of its
// frame header does (SOF2, SOF6, SOF10 and SOF14 are progressive).
bool IsProgressive(std::span<const uint8_t> jpeg) {
  size_t at = 2;
  while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF) {
    const uint8_t marker = jpeg[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    const bool frameHeader = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 &&
                             marker != 0xC8 && marker != 0xCC;
    if (frameHeader) return (marker & 0x03) == 0x02;
    at += 2 + (size_t{jpeg[at + 2]} << 8 | jpeg[at + 3]);
  }
  return false;
}

}  // namespace

std::span<const uint8_t> FindPictureResource(int number) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(number), RT_RCDATA);
  HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) throw ResourceNotFoundError(number);
  return {static_cast<const uint8_t*>(data), SizeofResource(module, resource)};
}

JpegHeader ReadJpegHeader(std::span<const uint8_t> jpeg) {
  ComScope com;
  ComPtr<IWICImagingFactory> factory;
  Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                         IID_PPV_ARGS(&factory)));
  ComPtr<IWICStream> stream;
  Check(factory->CreateStream(&stream));
  // The stream only reads from the buffer.
  Check(stream->InitializeFromMemory(const_cast<BYTE*>(jpeg.data()), static_cast<DWORD>(jpeg.size())));
  // The JPEG decoder itself, so that other image formats count as bad data.
  ComPtr<IWICBitmapDecoder> decoder;
  Check(factory->CreateDecoder(GUID_ContainerFormatJpeg, nullptr, &decoder));
  Check(decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnDemand));
  ComPtr<IWICBitmapFrameDecode> frame;
  Check(decoder->GetFrame(0, &frame));
  UINT width = 0, height = 0;
  Check(frame->GetSize(&width, &height));
  WICPixelFormatGUID format{};
  Check(frame->GetPixelFormat(&format));

  JpegHeader header;
  header.width = static_cast<int32_t>(width);
  header.height = static_cast<int32_t>(height);
  header.grayscale = IsEqualGUID(format, GUID_WICPixelFormat8bppGray);
  header.progressive = IsProgressive(jpeg);
  return header;
}

}  // namespace brisander
