#include "groups/SelectionFormes.h"

#include "base/charg1.h"
#include "util/ConversionEntree.h"
#include "util/FichierRemplace.h"
#include "util/RegexTables.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <unordered_map>

namespace morvix {

namespace {

// The text of segment k built from the form graphies (no shared buffer), with or without
// the blank after its last form.
std::string texteSegment(const charg1 &base, const SegmentStore &store, int32_t k,
                         bool blancFinal) {
    std::string texte;
    for (int32_t f : store.Formes(k)) {
        if (f >= 0 && f < base.Nbart())
            texte += base.RetourneGraphie(f, false);
        texte += ' ';
    }
    if (!blancFinal && !texte.empty())
        texte.pop_back();
    return texte;
}

bool estBlanc(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

std::vector<std::string_view> mots(std::string_view ligne) {
    std::vector<std::string_view> v;
    size_t i = 0;
    while (i < ligne.size()) {
        while (i < ligne.size() && estBlanc(ligne[i]))
            ++i;
        size_t j = i;
        while (j < ligne.size() && !estBlanc(ligne[j]))
            ++j;
        if (j > i)
            v.push_back(ligne.substr(i, j - i));
        i = j;
    }
    return v;
}

} // namespace

std::string ExpressionRequete(TypeRequete type, std::string_view motif) {
    const std::string p(motif);
    switch (type) {
    case TypeRequete::Debut:
        return "^" + p + ".*";
    case TypeRequete::Fin:
        return ".*" + p + "$";
    case TypeRequete::Contenu:
        return ".*" + p + ".*";
    case TypeRequete::Expression:
    case TypeRequete::Exacte:
        break;
    }
    return p;
}

ResultatRecherche RechercheFormes(const charg1 &base, TypeRequete type, std::string_view motif,
                                  const Annulation *annulation,
                                  const std::function<void(int32_t)> &gauge) {
    ResultatRecherche r;
    if (type == TypeRequete::Exacte) {
        const int32_t code = base.LocFormDic(motif, true);
        if (code >= 0)
            r.codes.push_back(code);
        return r;
    }
    const Regex1252 expression(ExpressionRequete(type, motif));
    if (!expression.valide()) {
        r.valide = false;
        r.erreur = expression.erreur();
        return r;
    }
    const SegmentStore *store = base.SegmentStoreAttache();
    const int32_t nbSeg = store ? store->NbSegments() : 0;
    const int64_t total = int64_t{base.Nbform()} + nbSeg;
    // About 200 gauge steps over the whole run, and a look at the flag as often.
    const int64_t pas = std::max<int64_t>(1, total / 200);
    int64_t fait = 0;
    auto avance = [&] {
        if (++fait % pas != 0)
            return true;
        if (gauge)
            gauge(0);
        return !Annulee(annulation);
    };
    // A text the engine cannot settle within its limits makes the whole answer unknown.
    auto tropCouteuse = [&] {
        if (!expression.tropCouteuse())
            return false;
        r.valide = false;
        r.erreur = kExpressionTropCouteuse;
        r.codes.clear();
        return true;
    };
    for (int32_t i = 0; i < base.Nbform(); ++i) {
        if (expression.cherche(base.RetourneGraphie(i, false)))
            r.codes.push_back(i);
        if (tropCouteuse())
            return r;
        if (!avance()) {
            r.annule = true;
            r.codes.clear();
            return r;
        }
    }
    for (int32_t k = 0; k < nbSeg; ++k) {
        if (expression.cherche(texteSegment(base, *store, k, true)))
            r.codes.push_back(base.Nbart() + 1 + k);
        if (tropCouteuse())
            return r;
        if (!avance()) {
            r.annule = true;
            r.codes.clear();
            return r;
        }
    }
    return r;
}

std::string TexteCode(const charg1 &base, int32_t code) {
    if (code >= 0 && code < base.Nbart())
        return base.RetourneGraphie(code, false);
    const SegmentStore *store = base.SegmentStoreAttache();
    const int32_t k = code - base.Nbart() - 1;
    if (store && k >= 0 && k < store->NbSegments())
        return texteSegment(base, *store, k, true);
    return {};
}

int32_t FrequenceCode(const charg1 &base, int32_t code) {
    if (code >= 0 && code < base.Nbart())
        return base.RetourneFrq(code);
    const SegmentStore *store = base.SegmentStoreAttache();
    const int32_t k = code - base.Nbart() - 1;
    if (store && k >= 0 && k < store->NbSegments())
        return store->FrqSeg(k);
    return -1;
}

bool ListeCodes::Ajoute(int32_t code) {
    if (!m_presents.insert(code).second)
        return false;
    m_codes.push_back(code);
    return true;
}

int32_t ListeCodes::Ajoute(std::span<const int32_t> codes) {
    int32_t n = 0;
    for (int32_t c : codes)
        n += Ajoute(c) ? 1 : 0;
    return n;
}

void ListeCodes::Retire(const std::vector<int32_t> &lignes) {
    std::vector<bool> retiree(m_codes.size(), false);
    for (int32_t l : lignes)
        if (l >= 0 && static_cast<size_t>(l) < m_codes.size())
            retiree[static_cast<size_t>(l)] = true;
    std::vector<int32_t> gardes;
    gardes.reserve(m_codes.size());
    for (size_t i = 0; i < m_codes.size(); ++i) {
        if (retiree[i])
            m_presents.erase(m_codes[i]);
        else
            gardes.push_back(m_codes[i]);
    }
    m_codes = std::move(gardes);
}

void ListeCodes::Vide() {
    m_codes.clear();
    m_presents.clear();
}

bool EcritListe(const std::string &chemin, const charg1 &base, std::span<const int32_t> codes,
                std::string &erreur) {
    FichierRemplace fichier;
    if (!fichier.Ouvre(chemin)) {
        erreur = "la liste ne peut être écrite : " + fichier.Erreur();
        return false;
    }
    std::string ligne;
    for (int32_t code : codes) {
        ligne = TexteCode(base, code);
        if (ligne.empty())
            continue;
        ligne += "\r\n";
        fichier.Ecrit(ligne);
    }
    if (!fichier.Valide()) {
        erreur = "la liste ne peut être écrite : " + fichier.Erreur();
        return false;
    }
    return true;
}

LectureListe LitListe(const std::string &chemin, const charg1 &base) {
    LectureListe l;
    std::string contenu;
    {
        std::unique_ptr<std::FILE, int (*)(std::FILE *)> f(std::fopen(chemin.c_str(), "rb"),
                                                           &std::fclose);
        if (!f) {
            l.ok = false;
            l.message = "la liste " + chemin + " ne peut être lue : " + std::strerror(errno);
            return l;
        }
        char tampon[65536];
        size_t n;
        while ((n = std::fread(tampon, 1, sizeof tampon, f.get())) > 0)
            contenu.append(tampon, n);
        if (std::ferror(f.get())) {
            l.ok = false;
            l.message = "la liste " + chemin + " ne peut être lue : " + std::strerror(errno);
            return l;
        }
    }
    if (EstUtf8(contenu))
        contenu = Utf8VersCp1252(contenu);

    std::unordered_map<std::string, int32_t> segments;
    if (const SegmentStore *store = base.SegmentStoreAttache()) {
        for (int32_t k = 0; k < store->NbSegments(); ++k)
            segments.emplace(texteSegment(base, *store, k, false), base.Nbart() + 1 + k);
    }
    std::string normalisee;
    size_t debut = 0;
    while (debut < contenu.size()) {
        size_t fin = contenu.find('\n', debut);
        if (fin == std::string::npos)
            fin = contenu.size();
        const std::vector<std::string_view> m =
            mots(std::string_view(contenu).substr(debut, fin - debut));
        debut = fin + 1;
        if (m.size() > 1 && !segments.empty()) {
            normalisee.clear();
            for (std::string_view w : m) {
                if (!normalisee.empty())
                    normalisee += ' ';
                normalisee += w;
            }
            if (auto it = segments.find(normalisee); it != segments.end()) {
                l.codes.push_back(it->second);
                continue;
            }
        }
        for (std::string_view w : m) {
            const int32_t code = base.LocFormDic(w, true);
            if (code >= 0)
                l.codes.push_back(code);
            else
                ++l.nbIgnores;
        }
    }
    return l;
}

} // namespace morvix
