#include "controls/Picture_win.h"

namespace {

// A stream over a copy of the bytes; the stream frees its memory block.
ComPtr<IStream> StreamOver(const void* bytes, DWORD size) {
  GlobalBlock block(size);
  if (!block.Fill(bytes, size)) return nullptr;
  ComPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(block.Get(), TRUE, &stream))) return nullptr;
  block.Release();  // the stream's now
  return stream;
}

}  // namespace

bool CPicture::LoadResourceImage(const char* type, const char* name) {
  pPicture.Reset();
  HMODULE module = GetModuleHandleA(NULL);
  HRSRC found = FindResourceA(module, name, type);
  if (found == NULL) return false;
  const DWORD size = SizeofResource(module, found);
  HGLOBAL loaded = LoadResource(module, found);
  const void* bytes = loaded != NULL ? LockResource(loaded) : nullptr;
  if (bytes == nullptr || size == 0) return false;
  ComPtr<IStream> stream = StreamOver(bytes, size);
  if (!stream) return false;
  return SUCCEEDED(OleLoadPicture(stream.Get(), static_cast<LONG>(size), FALSE, IID_IPicture,
                                  reinterpret_cast<void**>(pPicture.GetAddressOf())));
}

bool CPicture::RenderTo(HDC dc, int x, int y, int width, int height) {
  if (!pPicture) return false;
  OLE_XSIZE_HIMETRIC w = 0;
  OLE_YSIZE_HIMETRIC h = 0;
  pPicture->get_Width(&w);
  pPicture->get_Height(&h);
  // Picture units run upwards: start at the bottom and go up to draw it upright.
  return SUCCEEDED(pPicture->Render(dc, x, y, width, height, 0, h, w, -h, NULL));
}
