#include "corpus/Corpus.h"
#include "corpus/Section.h"

#include "base/charg1.h"
#include "groups/Tgen.h"
#include "partitions/Partition.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

using namespace morvix;

namespace {

std::unique_ptr<charg1> charge(const std::string &name, const std::string &text) {
    EXPECT_EQ(test::buildBase(name, text), name + ".par");
    auto b = std::make_unique<charg1>();
    EXPECT_EQ(b->ChargeBase(name + ".par"), kChargeOk) << b->Erreur();
    return b;
}

int32_t code(const charg1 &b, const char *graphy) { return b.LocFormDic(graphy, false); }

} // namespace

TEST(Section, CutJustAfterEachDelimiter) {
    test::ScopedWorkDir dir;
    // 0 p, 1 "1", 2 a, 3 b, 4 p, 5 "2", 6 c, then the end of line.
    auto b = charge("s", "<p=1> a b <p=2> c\n");
    const int32_t p = Partition::CodeCle(*b, "p");
    Section s(*b, &p, 1);
    ASSERT_EQ(s.NbSections, 2);
    EXPECT_EQ(s.Debuts, (std::vector<int32_t>{1, 5, b->Nbitem()}));
    // The first section is "1", a, b, p: two forms; the second "2", c and the line end.
    EXPECT_EQ(s.NbFormesSect(0), 2);
    EXPECT_EQ(s.NbFormesSect(1), 1);
    EXPECT_EQ(s.FrqCodeSect(p, 0), 1);
    EXPECT_EQ(s.FrqCodeSect(p, 1), 0);
    EXPECT_EQ(s.FrqCodeSect(code(*b, "c"), 1), 1);
    const int32_t ac[] = {code(*b, "a"), code(*b, "c")};
    Tgen g(b.get(), ac, 2, nullptr);
    EXPECT_EQ(s.FrqTgenSect(g, 0), 1);
    EXPECT_EQ(s.FrqTgenSect(g, 1), 1);
    for (int32_t hors : {-1, 2}) {
        EXPECT_EQ(s.NbFormesSect(hors), 0);
        EXPECT_EQ(s.FrqCodeSect(p, hors), 0);
        EXPECT_EQ(s.FrqTgenSect(g, hors), 0);
    }
}

TEST(Section, SectionsWithoutFormsAndOddDelimiterLists) {
    test::ScopedWorkDir dir;
    auto b = charge("s", "a , <p=1> , . <p=2> b .\n");
    const int32_t p = Partition::CodeCle(*b, "p"), point = code(*b, "."), virgule = code(*b, ",");
    // Delimiters "," and p: a section of tag parts and punctuation only has no forms.
    const int32_t d[] = {virgule, p};
    Section s(*b, d, 2);
    ASSERT_EQ(s.NbSections, 4); // after "," at 1, p at 2, "," at 4, p at 6
    EXPECT_EQ(s.NbFormesSect(1), 0);
    EXPECT_EQ(s.NbFormesSect(3), 1);
    // A code given twice, or one that is no article, must not leave sections undefined.
    const int32_t bizarres[] = {point, point, -5, b->Nbart() + 7};
    Section t(*b, bizarres, 4);
    EXPECT_EQ(t.NbSections, b->RetourneFrq(point));
    EXPECT_EQ(t.Debuts.size(), size_t(t.NbSections) + 1);
    EXPECT_EQ(t.Debuts.back(), b->Nbitem());
    EXPECT_TRUE(std::is_sorted(t.Debuts.begin(), t.Debuts.end()));
    Section vide(*b, nullptr, 0);
    EXPECT_EQ(vide.NbSections, 0);
    EXPECT_EQ(vide.Debuts, (std::vector<int32_t>{b->Nbitem()}));
}

TEST(Corpus, OnePartitionPerKeyAndOneViewPerDelimiterList) {
    test::ScopedWorkDir dir;
    auto b = charge("c", "<p=1> <q=x> a , b . <p=2> <q=y> c .\n");
    Corpus corpus;
    corpus.AjouteBase(b.get());
    corpus.AjouteBase(b.get());
    EXPECT_EQ(corpus.Bases.size(), 1u);

    const int32_t p = Partition::CodeCle(*b, "p"), q = Partition::CodeCle(*b, "q");
    auto premiere = new Partition(*b, p);
    EXPECT_TRUE(corpus.AjoutePartition(premiere));
    auto doublon = std::make_unique<Partition>(*b, p);
    EXPECT_FALSE(corpus.AjoutePartition(doublon.get()));
    EXPECT_EQ(corpus.NbPartitions(), 1);
    EXPECT_EQ(corpus.IndexPartition(doublon.get()), 0);
    EXPECT_EQ(corpus.EnregistrePartition(std::move(doublon)), premiere);
    Partition *deuxieme = corpus.EnregistrePartition(std::make_unique<Partition>(*b, q));
    ASSERT_EQ(corpus.NbPartitions(), 2);
    EXPECT_EQ(deuxieme, corpus.PartitionI(1).Part.get());
    EXPECT_EQ(corpus.NbPartitions(), 2);
    EXPECT_EQ(corpus.PartitionI(1).Noeud, nullptr);
    EXPECT_TRUE(corpus.PartitionI(1).Fenetres.empty());

    const int32_t virgule = code(*b, ","), point = code(*b, ".");
    const int32_t vp[] = {virgule, point}, pv[] = {point, virgule};
    EXPECT_TRUE(corpus.AjouteSection(new Section(*b, vp, 2)));
    Section meme(*b, vp, 2), autreOrdre(*b, pv, 2), moins(*b, vp, 1);
    EXPECT_FALSE(corpus.AjouteSection(&meme));
    EXPECT_EQ(corpus.IndexSection(&meme), 0);
    EXPECT_EQ(corpus.IndexSection(&autreOrdre), -1); // another order is another view
    EXPECT_EQ(corpus.IndexSection(&moins), -1);
    EXPECT_NE(corpus.EnregistreSection(std::make_unique<Section>(*b, pv, 2)), nullptr);
    EXPECT_EQ(corpus.NbSections(), 2);
}

TEST(Corpus, AReplacedBaseLeavesNothingBehind) {
    test::ScopedWorkDir dir;
    auto ancienne = charge("a", "<p=1> a b <p=2> c\n");
    auto autre = charge("b", "<p=1> x y <p=3> z\n");
    Corpus corpus;
    corpus.AjouteBase(ancienne.get());
    corpus.AjouteBase(autre.get());
    const int32_t pa = Partition::CodeCle(*ancienne, "p");
    corpus.EnregistrePartition(std::make_unique<Partition>(*ancienne, pa));
    corpus.EnregistreSection(std::make_unique<Section>(*ancienne, &pa, 1));
    const int32_t pb = Partition::CodeCle(*autre, "p");
    corpus.EnregistrePartition(std::make_unique<Partition>(*autre, pb));

    // The same key code on another base is another partition.
    ASSERT_EQ(pa, pb);
    EXPECT_EQ(corpus.NbPartitions(), 2);

    auto nouvelle = charge("n", "<p=5> d e <p=6> f\n");
    corpus.RemplaceBase(ancienne.get(), nouvelle.get());
    ancienne.reset();
    EXPECT_EQ(corpus.Bases, (std::vector<const charg1 *>{autre.get(), nouvelle.get()}));
    ASSERT_EQ(corpus.NbPartitions(), 1);
    EXPECT_EQ(&corpus.PartitionI(0).Part->Base(), autre.get());
    EXPECT_EQ(corpus.NbSections(), 0);
    // Nothing stale is found for the new base, even on the same key code.
    ASSERT_EQ(Partition::CodeCle(*nouvelle, "p"), pa);
    EXPECT_EQ(corpus.IndexPartition(nouvelle.get(), Partition::CodeCle(*nouvelle, "p")), -1);
    EXPECT_TRUE(
        corpus.AjoutePartition(new Partition(*nouvelle, Partition::CodeCle(*nouvelle, "p"))));
    corpus.RetireBase(nullptr);
    EXPECT_EQ(corpus.NbPartitions(), 2);
}
