// Conversions between the core's Windows-1252 bytes, file paths and QString.
#pragma once

#include "util/Encoding.h"

#include <QColor>
#include <QFile>
#include <QString>

#include <string>
#include <string_view>

namespace morvix::ui {

inline QString DeCp1252(std::string_view octets) {
    return QString::fromStdU16String(cp1252ToUtf16(octets));
}

inline std::string VersCp1252(const QString &texte) { return utf8ToCp1252(texte.toStdString()); }

// File paths are handed to the core in the file system's encoding.
inline std::string CheminNatif(const QString &chemin) {
    return QFile::encodeName(chemin).toStdString();
}

inline QString DeCheminNatif(const std::string &chemin) {
    return QFile::decodeName(QByteArray::fromStdString(chemin));
}

// 0x00BBGGRR <-> QColor.
inline QColor CouleurQt(uint32_t c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

inline uint32_t CouleurBgr(const QColor &c) {
    return static_cast<uint32_t>(c.red()) | (static_cast<uint32_t>(c.green()) << 8) |
           (static_cast<uint32_t>(c.blue()) << 16);
}

} // namespace morvix::ui
