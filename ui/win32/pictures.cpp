#include "pictures.h"

#include "resources/resource_ids.h"

#include <wincodec.h>

namespace popolun::win32 {

namespace {

// Releases a COM interface when it goes.
template <typename T>
class Com {
public:
    Com() = default;
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    ~Com()
    {
        if (p_)
            p_->Release();
    }
    T** out() { return &p_; }
    T* operator->() const { return p_; }
    T* get() const { return p_; }

private:
    T* p_ = nullptr;
};

int resourceId(layout::Picture picture)
{
    return picture == layout::Picture::banner ? POPOLUN_BANNER : POPOLUN_ILLUSTRATION;
}

} // namespace

HBITMAP loadPicture(layout::Picture picture, int width, int height)
{
    if (picture == layout::Picture::none || width <= 0 || height <= 0)
        return nullptr;
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(resourceId(picture)), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    auto* bytes = static_cast<BYTE*>(loaded ? ::LockResource(loaded) : nullptr);
    if (!bytes)
        return nullptr;

    Com<IWICImagingFactory> factory;
    Com<IWICStream> stream;
    Com<IWICBitmapDecoder> decoder;
    Com<IWICBitmapFrameDecode> frame;
    Com<IWICBitmapScaler> scaler;
    Com<IWICFormatConverter> converter;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  reinterpret_cast<void**>(factory.out())))
        || FAILED(factory->CreateStream(stream.out()))
        || FAILED(stream->InitializeFromMemory(bytes, ::SizeofResource(module, found)))
        || FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                   decoder.out()))
        || FAILED(decoder->GetFrame(0, frame.out())) || FAILED(factory->CreateBitmapScaler(scaler.out()))
        || FAILED(scaler->Initialize(frame.get(), UINT(width), UINT(height), WICBitmapInterpolationModeFant))
        || FAILED(factory->CreateFormatConverter(converter.out()))
        || FAILED(converter->Initialize(scaler.get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr,
                                        0, WICBitmapPaletteTypeCustom)))
        return nullptr;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top row first, as WIC gives it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (!bitmap)
        return nullptr;
    const UINT stride = UINT(width) * 4;
    if (FAILED(converter->CopyPixels(nullptr, stride, stride * UINT(height), static_cast<BYTE*>(pixels)))) {
        ::DeleteObject(bitmap);
        return nullptr;
    }
    return bitmap;
}

} // namespace popolun::win32
