#include "install.h"

#include <fcntl.h>
#include <stdio.h>   // renameat2
#include <stdlib.h>  // mkdtemp
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "platform/linux/linux_file_system.h"
#include "platform/linux/skins_folders.h"
#include "skin_archive.h"
#include "skin_tool.h"

namespace vesperon::skintool {

namespace {

// A skin's zip is well under a megabyte; a larger one is no skin's, and its
// directory alone could take a lot of memory to read.
constexpr std::size_t kArchiveFileMaxBytes = 32 * 1024 * 1024;

int Refuse(const std::string& archive, const std::string& why) {
  std::fprintf(stderr, "vesperon-skin: %s no se instala: %s\n", Shown(archive).c_str(),
               why.c_str());
  return 1;
}

// The skin's name when the archive has no single top folder.
std::string FileStem(const std::string& path) {
  std::string name = std::filesystem::path(path).filename().string();
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  return name;
}

// A folder beside the skin's place that is removed, with all in it, unless
// it is taken.
class Unpacked {
 public:
  explicit Unpacked(const std::string& skins) {
    std::string pattern = skins + "/.vesperon-install-XXXXXX";
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~Unpacked() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  Unpacked(const Unpacked&) = delete;
  Unpacked& operator=(const Unpacked&) = delete;

  const std::string& Path() const { return path_; }
  void Taken() { path_.clear(); }

 private:
  std::string path_;
};

}  // namespace

int Install(const std::string& archivePath, bool force) {
  LinuxFileSystem files;
  const FileBytes archive = files.ReadFile(archivePath, kArchiveFileMaxBytes);
  switch (archive.status) {
    case FileReadStatus::Ok:
      break;
    case FileReadStatus::Missing:
      return Refuse(archivePath, "no existe");
    case FileReadStatus::NotAFile:
      return Refuse(archivePath, "no es un archivo");
    case FileReadStatus::TooLarge:
      return Refuse(archivePath, "ocupa más de 32 MiB");
    case FileReadStatus::Unreadable:
      return Refuse(archivePath, "el sistema no deja leerlo");
  }
  const UnpackedSkin skin = UnpackSkin(archive.bytes);
  if (!skin.error.empty()) return Refuse(archivePath, skin.error);
  const std::string name = skin.folder.empty() ? FileStem(archivePath) : skin.folder;
  const std::string skins = UserSkinsFolder();
  if (name.empty() || name[0] == '.') return Refuse(archivePath, "no se sabe qué nombre darle");
  if (skins.empty()) return Refuse(archivePath, "no hay carpeta de skins: falta $HOME");
  const std::string target = skins + "/" + name;
  struct stat there {};
  const bool exists = ::lstat(target.c_str(), &there) == 0;
  if (exists && !force)
    return Refuse(archivePath, "ya hay un skin " + Shown(name) + " (--force lo reemplaza)");

  for (const std::string& other : skin.skipped)
    std::printf("Se deja fuera %s: no es un archivo del skin\n", Shown(other).c_str());

  std::error_code error;
  std::filesystem::create_directories(skins, error);
  Unpacked unpacked(skins);
  if (error || unpacked.Path().empty())
    return Refuse(archivePath, "no se puede escribir en " + Shown(skins));
  ::chmod(unpacked.Path().c_str(), 0755);
  // Only the skin's own fixed names are written, all inside the new folder.
  for (const auto& [file, bytes] : skin.files)
    if (!WriteWholeFile(unpacked.Path() + "/" + file, bytes))
      return Refuse(archivePath, "no se puede escribir en " + Shown(skins));

  const std::string tempName = std::filesystem::path(unpacked.Path()).filename().string();
  if (!ReportSkin({skins, tempName, unpacked.Path()}, Shown(name)))
    return Refuse(archivePath, "el reloj no usaría este skin");

  // Into place in one step: the old skin, if any, swaps places with the new
  // one and goes with the unpacking folder.
  const unsigned flags = exists ? RENAME_EXCHANGE : RENAME_NOREPLACE;
  if (::renameat2(AT_FDCWD, unpacked.Path().c_str(), AT_FDCWD, target.c_str(), flags) != 0)
    return Refuse(archivePath, errno == EEXIST ? "otro skin " + Shown(name) + " apareció a la vez"
                                               : "no se puede poner en " + Shown(target));
  if (!exists) unpacked.Taken();
  std::printf("Instalado en %s: elígelo en la configuración de Vesperon.\n", Shown(target).c_str());
  return 0;
}

}  // namespace vesperon::skintool
