#include "win32/win32_picture_loader.h"

#include <memory>

#include "win32/open_file.h"
#include "common/picture_checks.h"

namespace vesperon {

namespace {

// One GDI object, destroyed with the last picture that shows it.
struct GdiPicture {
  UINT type;  // IMAGE_BITMAP, IMAGE_ICON or IMAGE_CURSOR
  HANDLE handle;

  GdiPicture(UINT t, HANDLE h) : type(t), handle(h) {}
  ~GdiPicture() {
    if (type == IMAGE_BITMAP)
      DeleteObject(handle);
    else if (type == IMAGE_ICON)
      DestroyIcon(static_cast<HICON>(handle));
    else
      DestroyCursor(static_cast<HCURSOR>(handle));
  }
  GdiPicture(const GdiPicture&) = delete;
  GdiPicture& operator=(const GdiPicture&) = delete;
};

HANDLE HandleOf(const Picture& picture, UINT type) {
  const auto* gdi = static_cast<const GdiPicture*>(picture.Payload());
  return gdi != nullptr && gdi->type == type ? gdi->handle : nullptr;
}

UINT TypeOf(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  const std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
  if (extension == ".ico") return IMAGE_ICON;
  if (extension == ".cur") return IMAGE_CURSOR;
  return IMAGE_BITMAP;
}

// The pixel size of a loaded picture; an icon without colour bitmap keeps
// its colour and mask stacked in one.
SIZE SizeOf(UINT type, HANDLE handle) {
  BITMAP bitmap{};
  if (type == IMAGE_BITMAP) {
    GetObjectW(handle, sizeof bitmap, &bitmap);
    return {bitmap.bmWidth, bitmap.bmHeight};
  }
  ICONINFO info{};
  if (!GetIconInfo(static_cast<HICON>(handle), &info)) return {0, 0};
  GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
  return {bitmap.bmWidth, info.hbmColor != nullptr ? bitmap.bmHeight : bitmap.bmHeight / 2};
}

Picture ToPicture(UINT type, HANDLE handle) {
  const SIZE size = SizeOf(type, handle);
  return Picture::Make(static_cast<int>(size.cx), static_cast<int>(size.cy),
                       std::make_shared<const GdiPicture>(type, handle));
}

LoadedPicture Failure(PictureLoadError error, std::string reason) {
  LoadedPicture result;
  result.error = error;
  result.reason = std::move(reason);
  return result;
}

// Why the checked bytes may not reach the system's reader; empty when they
// may. That reader cuts the rows of a run-length bitmap that go on past the
// width itself, so such a file goes to it as it is.
std::string ProblemOf(PictureFormat format, std::string_view bytes) {
  if (format == PictureFormat::Unknown) return "no es un mapa de bits (.bmp) ni un icono (.ico)";
  if (format == PictureFormat::Icon) return IconProblem(bytes);
  if (!BitmapHeaderSize(bytes)) return "la cabecera está dañada";
  return BitmapProblem(bytes);
}

}  // namespace

Win32PictureLoader::Win32PictureLoader(HMODULE module) : module_(module) {}

std::wstring Win32PictureLoader::ResourceName(const std::string& name) {
  std::wstring resource = L"P_";
  for (const char c : name)
    resource += static_cast<wchar_t>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  return resource;
}

Picture Win32PictureLoader::BuiltIn(const std::string& name) {
  const auto known = builtIn_.find(name);
  if (known != builtIn_.end()) return known->second;

  const UINT type = TypeOf(name);
  // Icons and cursors at the system's size for them, from the best entry.
  const UINT flags = type == IMAGE_BITMAP ? 0 : LR_DEFAULTSIZE;
  const HANDLE handle = LoadImageW(module_, ResourceName(name).c_str(), type, 0, 0, flags);
  Picture picture;
  if (handle != nullptr) picture = ToPicture(type, handle);
  builtIn_.emplace(name, picture);
  return picture;
}

LoadedPicture Win32PictureLoader::LoadFile(const std::string& path) {
  OpenFile file(path);
  switch (file.Status()) {
    case OpenFile::Opened:
      break;
    case OpenFile::Missing:
      return Failure(PictureLoadError::Missing, "no existe");
    case OpenFile::NotAFile:
      return Failure(PictureLoadError::Unreadable, "no es un archivo");
    case OpenFile::Refused:
      return Failure(PictureLoadError::Unreadable, "el sistema no deja leerlo");
  }
  std::string bytes;
  switch (file.Read(kPictureFileMaxBytes, bytes)) {
    case OpenFile::ReadOk:
      break;
    case OpenFile::ReadTooLarge: {
      LoadedPicture result = Failure(PictureLoadError::Unreadable, "el archivo ocupa más de 4 MiB");
      result.tooLarge = true;
      return result;
    }
    case OpenFile::ReadFailed:
      return Failure(PictureLoadError::Unreadable, "el sistema no deja leerlo");
  }

  if (const auto size = ClaimedOversize(bytes)) {
    LoadedPicture result =
        Failure(PictureLoadError::Unreadable, SizeProblem(size->width, size->height));
    result.tooLarge = true;
    result.claimedWidth = size->width;
    result.claimedHeight = size->height;
    return result;
  }
  const PictureFormat format = FormatOf(bytes);
  if (std::string problem = ProblemOf(format, bytes); !problem.empty())
    return Failure(PictureLoadError::Unreadable, std::move(problem));

  // The file is still held open: LoadImage reads the very bytes checked.
  const UINT type = format == PictureFormat::Icon ? IMAGE_ICON : IMAGE_BITMAP;
  const UINT flags = LR_LOADFROMFILE | (type == IMAGE_ICON ? LR_DEFAULTSIZE : 0);
  const HANDLE handle = LoadImageW(nullptr, file.WidePath().c_str(), type, 0, 0, flags);
  if (handle == nullptr)
    return Failure(PictureLoadError::Unreadable, "la imagen está dañada o incompleta");
  LoadedPicture result;
  result.picture = ToPicture(type, handle);
  return result;
}

HBITMAP BitmapOf(const Picture& picture) {
  return static_cast<HBITMAP>(HandleOf(picture, IMAGE_BITMAP));
}

HICON IconOf(const Picture& picture) { return static_cast<HICON>(HandleOf(picture, IMAGE_ICON)); }

HCURSOR CursorOf(const Picture& picture) {
  return static_cast<HCURSOR>(HandleOf(picture, IMAGE_CURSOR));
}

}  // namespace vesperon
