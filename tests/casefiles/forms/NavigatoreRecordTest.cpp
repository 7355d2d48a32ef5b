#include "casefiles/forms/NavigatoreRecord.h"

#include <gtest/gtest.h>

#include "support/QtPrinters.h"

namespace {

using N = NavigatoreRecord;

TEST(NavigatoreRecord, EachButtonMovesWithinTheListOrNotAtAll) {
    struct Caso {
        int azione;
        long posizione, numero;
        std::optional<long> nuova;
        bool primo;
    } casi[] = {
        {N::AzionePrimo, 3, 5, 1, true},       {N::AzionePrimo, 1, 5, 1, true},
        {N::AzionePrimo, 1, 1, 1, true},       {N::AzionePrimo, 0, 0, std::nullopt, false},
        {N::AzionePrecedente, 3, 5, 2, false}, {N::AzionePrecedente, 1, 5, std::nullopt, false},
        {N::AzioneSuccessivo, 3, 5, 4, false}, {N::AzioneSuccessivo, 5, 5, std::nullopt, false},
        {N::AzioneSuccessivo, 0, 0, std::nullopt, false},
        {N::AzioneUltimo, 2, 5, 5, false},     {N::AzioneUltimo, 5, 5, 5, false},
        {N::AzioneUltimo, 1, 1, std::nullopt, false},
        {0, 2, 5, std::nullopt, false},        {9, 2, 5, std::nullopt, false},
    };
    for (const Caso& c : casi) {
        const auto mossa = N::Sposta(c.azione, c.posizione, c.numero);
        SCOPED_TRACE(testing::Message() << "azione " << c.azione << " da " << c.posizione << " di " << c.numero);
        ASSERT_EQ(mossa.has_value(), c.nuova.has_value());
        if (!mossa) continue;
        EXPECT_EQ(mossa->posizione, *c.nuova);
        EXPECT_EQ(mossa->primo, c.primo);
    }
}

TEST(NavigatoreRecord, TheCaptionWordsTheFirstRecordApart) {
    NavigatoreRecord n;
    n.MostraPosizione(1, 3, true);
    EXPECT_EQ(n.caption(), "1 di 3");
    n.MostraPosizione(1, 3, false);
    EXPECT_EQ(n.caption(), " 1 di  3");
    n.MostraPosizione(12, 140, false);
    EXPECT_EQ(n.caption(), " 12 di  140");
}

}  // namespace
