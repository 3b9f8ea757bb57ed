// Helpers shared by every report page: the page header table, the French date of the
// header, safe file names inside the working folder, page and JPEG writers. Texts are
// Windows-1252 bytes. Depends on libjpeg.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace morvix {

// The long French date and the time of `t` (local time): "mercredi 9 décembre 2026 - 08:05".
std::string DateRapport(std::time_t t = std::time(nullptr));

// The header table that opens a report page: "<TABLE WIDTH=100% ALIGN=CENTER BORDER=1>
// <TD>Corpus : " base "</TD>\n<TD>Date : " date "</TD>\n", with, when `cle` is given, the
// cell "<TD>Partition = " cle "</TD>\n", then "</TABLE>".
std::string EnteteRapport(std::string_view nomBase, const std::string *cle = nullptr,
                          std::time_t t = std::time(nullptr));

// `texte` with '&', '<' and '>' written as HTML entities, appended to `page` or returned.
void AjouteHtmlEchappe(std::string &page, std::string_view texte);
std::string EchappeHtml(std::string_view texte);

// A plain file name made from `nom` (built from graphies: "pclc" + key + ".html" ...):
// letters with accents lose them, every byte other than an ASCII letter, digit, '.', '-',
// '_' or '+' becomes '_', a name made of dots only or empty becomes "_", and a name longer
// than 200 bytes is cut before its extension. The result never leaves the folder it is
// put in.
std::string NomFichierRapport(std::string_view nom);

// Writes `page` (Windows-1252, line feeds written as CR LF) to `chemin` through a
// temporary file; false, with nothing left at `chemin`'s place, when it fails.
bool EcritPageRapport(const std::string &chemin, std::string_view page);

// Writes an image of `largeur` x `hauteur` pixels as a baseline JPEG of the given quality
// (1..100; report images use 30). `rgb` holds the rows top to bottom, 3 bytes per pixel
// (red, green, blue), `pas` bytes from one row to the next. False when the image is empty
// or the file cannot be written; no partial file is left.
bool EcritJpeg(const std::string &chemin, int32_t largeur, int32_t hauteur,
               const unsigned char *rgb, int32_t pas, int32_t qualite);

// Quality of the report's images.
inline constexpr int32_t kQualiteJpegRapport = 30;

} // namespace morvix
