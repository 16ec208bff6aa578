#include "skin_archive.h"

#include <archive.h>
#include <archive_entry.h>

#include <functional>
#include <memory>

#include "common/text_encoding.h"
#include "skin/skin_format.h"

namespace vesperon::skintool {

namespace {

using Archive = std::unique_ptr<archive, decltype(&archive_read_free)>;

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

// The parts of an entry's path, or why the path is refused. Both kinds of
// slash separate parts: archives made on Windows may use either.
std::vector<std::string> PathParts(const std::string& path, std::string& error) {
  const std::string shown = "la entrada " + NameToUtf8(path);
  if (path.empty()) {
    error = "una entrada no tiene nombre";
    return {};
  }
  if (path.front() == '/' || path.front() == '\\' || (path.size() >= 2 && path[1] == ':')) {
    error = shown + " tiene una ruta absoluta";
    return {};
  }
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find_first_of("/\\", start);
    if (end == std::string::npos) end = path.size();
    const std::string part = path.substr(start, end - start);
    if (part == "..") {
      error = shown + " sale de su carpeta";
      return {};
    }
    if (!part.empty() && part != ".") parts.push_back(part);
    start = end + 1;
  }
  return parts;
}

struct Entry {
  std::vector<std::string> parts;
  bool folder = false;
};

// Reads the archive's entries in order, each checked, and hands each to
// `visit` with the archive positioned at its data. Returns why the archive
// is refused, or "" once every entry has been seen.
std::string ForEachEntry(std::string_view bytes,
                         const std::function<std::string(const Entry&, archive*)>& visit) {
  Archive reader(archive_read_new(), archive_read_free);
  if (!reader) return "no hay memoria para leerlo";
  archive_read_support_format_zip(reader.get());
  if (archive_read_open_memory(reader.get(), bytes.data(), bytes.size()) != ARCHIVE_OK)
    return "no es un archivo zip";
  for (int count = 0;; ++count) {
    archive_entry* entry = nullptr;
    const int status = archive_read_next_header(reader.get(), &entry);
    if (status == ARCHIVE_EOF) return {};
    // A warning is a name not in the locale's encoding: the name is kept.
    if (status != ARCHIVE_OK && status != ARCHIVE_WARN) return "está dañado o incompleto";
    if (count == kArchiveMaxEntries) return "tiene más de 64 entradas";
    const char* name = archive_entry_pathname(entry);
    if (name == nullptr) name = archive_entry_pathname_utf8(entry);
    const std::string path = name != nullptr ? name : "";
    std::string error;
    Entry checked;
    checked.parts = PathParts(path, error);
    if (!error.empty()) return error;
    const std::string shown = "la entrada " + NameToUtf8(path);
    const auto type = archive_entry_filetype(entry);
    if (archive_entry_hardlink(entry) != nullptr || archive_entry_symlink(entry) != nullptr ||
        type == AE_IFLNK)
      return shown + " es un enlace";
    if (type != AE_IFREG && type != AE_IFDIR) return shown + " no es un archivo ni una carpeta";
    if (archive_entry_is_encrypted(entry)) return shown + " está cifrada";
    checked.folder = type == AE_IFDIR;
    if (std::string refused = visit(checked, reader.get()); !refused.empty()) return refused;
  }
}

// The name of a skin file (a picture or skin.ini) as the skin spells it.
std::string SkinFileName(const std::string& name) {
  const std::string lower = Lower(name);
  if (lower == kSkinIni) return lower;
  for (const SkinPictureFile& wanted : kSkinFiles)
    if (lower == wanted.name) return lower;
  return {};
}

std::string Joined(const std::vector<std::string>& parts) {
  std::string path;
  for (const std::string& part : parts) path += (path.empty() ? "" : "/") + part;
  return path;
}

}  // namespace

UnpackedSkin UnpackSkin(std::string_view bytes) {
  UnpackedSkin skin;
  const std::string macos = "__MACOSX";

  // First the paths alone: is there one folder at the top?
  bool single = true;
  std::string top;
  skin.error = ForEachEntry(bytes, [&](const Entry& entry, archive*) {
    if (entry.parts.empty() || entry.parts.front() == macos) return std::string();
    if (entry.parts.size() == 1 && !entry.folder) single = false;
    if (top.empty()) top = entry.parts.front();
    if (entry.parts.front() != top) single = false;
    return std::string();
  });
  if (!skin.error.empty()) return skin;
  if (single) skin.folder = top;
  const std::size_t depth = single && !top.empty() ? 2 : 1;

  // Then the skin's files, read within the bounds.
  std::size_t total = 0;
  skin.error = ForEachEntry(bytes, [&](const Entry& entry, archive* reader) {
    if (entry.folder) return std::string();
    const std::string path = Joined(entry.parts);
    const std::string name = entry.parts.size() == depth && entry.parts.front() != macos
                                 ? SkinFileName(entry.parts.back())
                                 : std::string();
    if (name.empty() || skin.files.count(name) != 0) {
      skin.skipped.push_back(path);
      return std::string();
    }
    std::string& data = skin.files[name];
    char chunk[64 * 1024];
    while (true) {
      const la_ssize_t n = archive_read_data(reader, chunk, sizeof chunk);
      if (n < 0) return "la entrada " + NameToUtf8(path) + " está dañada";
      if (n == 0) return std::string();
      data.append(chunk, static_cast<std::size_t>(n));
      total += static_cast<std::size_t>(n);
      if (data.size() > kArchiveEntryMaxBytes)
        return "la entrada " + NameToUtf8(path) + " ocupa más de 4 MiB";
      if (total > kArchiveMaxBytes) return std::string("sus archivos ocupan más de 16 MiB");
    }
  });
  if (!skin.error.empty()) {
    skin.files.clear();
    skin.skipped.clear();
  }
  return skin;
}

}  // namespace vesperon::skintool
