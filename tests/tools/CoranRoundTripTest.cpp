// The table the core writes is the table the analysis program reads.
#include "CoranDon.h"
#include "TestSupport.h"

#include "afc/EcritCoran.h"
#include "base/charg1.h"
#include "partitions/Partition.h"
#include "segmentation/SegmPrinc.h"

#include <gtest/gtest.h>

using namespace morvix;

TEST(CoranDon, WhatTheCoreWritesTheProgramReadsBack) {
    morvix::test::ScopedWorkDir dir;
    ASSERT_TRUE(SegmPrinc(MORVIX_SAMPLE, kDelimiteursDefaut).ok());
    charg1 base;
    ASSERT_EQ(base.ChargeBase("sample_romans_contes.par"), kChargeOk);
    Partition partition(base, Partition::CodeCle(base, "chapitre"));
    ASSERT_GT(partition.NbParties, 10);
    partition.Cochee[3] = false;
    ParamAfc param = ParamAfcInitiaux(partition);
    param.Mode = 1;
    std::string erreur;
    ASSERT_TRUE(EcritCoranDon("coran.don", partition, param, erreur)) << erreur;

    afc::TableAfc t;
    ASSERT_TRUE(afc::LitCoranDon("coran.don", t, erreur)) << erreur;
    EXPECT_EQ(t.titre, param.Titre);
    EXPECT_EQ(t.nbColonnes, partition.NbParties);
    EXPECT_EQ(t.nbFacteurs, partition.NbParties - 1);
    EXPECT_EQ(t.types[3], 2);
    EXPECT_EQ(t.types[0], 1);
    ASSERT_EQ(t.actives.size(), static_cast<size_t>(param.NI));
    for (int32_t j = 0; j < param.NI; ++j) {
        const afc::LigneTable &l = t.actives[static_cast<size_t>(j)];
        EXPECT_EQ(l.numero, j);
        std::string g = std::string(base.RetourneGraphie(j, false)).substr(0, 20);
        while (!g.empty() && g.back() == ' ')
            g.pop_back();
        EXPECT_EQ(l.libelle, g);
        const std::vector<int64_t> comptes = l.Comptes(partition.NbParties);
        for (int32_t i = 0; i < partition.NbParties; ++i)
            ASSERT_EQ(comptes[static_cast<size_t>(i)], partition.Frq(j, i)) << j << " " << i;
    }
    EXPECT_TRUE(t.supplementaires.empty());
}
