#pragma once

#include <QByteArray>
#include <cstdint>

namespace artwork {

// The Windows file formats store their numbers little-endian.
inline void AppendU16(QByteArray& out, std::uint32_t value) {
  out.append(static_cast<char>(value & 0xFF));
  out.append(static_cast<char>((value >> 8) & 0xFF));
}

inline void AppendU32(QByteArray& out, std::uint32_t value) {
  AppendU16(out, value & 0xFFFF);
  AppendU16(out, value >> 16);
}

}  // namespace artwork
