// The reduction of direction sets, checked against values worked by hand from the example field book's readings.
#include <gtest/gtest.h>

#include <cmath>

#include "fieldbook/FieldBookFile.h"
#include "report/FieldBookPage.h"

namespace {

using namespace morvalen;
using namespace morvalen::fieldbook;

std::vector<Pointing> exampleBook() { return readFieldBook(std::string(MORVALEN_EXAMPLES_DIR) + "/field-book.csv"); }

const analysis::DirectionMethodLimits& limitsOf(const char* instrument) {
    return *analysis::findDirectionMethodLimits(instrument);
}

// One pointing of the example, worked by hand: 2C = L − (R ± 180°), mean = (L + R ± 180°) / 2, reduced to the
// start direction (with 归零, the mean of the first and the closing mean readings of the start target).
TEST(DirectionReduction, PointingsWorkedByHand) {
    struct Case {
        std::size_t station, round, pointing;
        double twoC;
        const char* mean;
        const char* reduced;  // "" for the closing pointing
    };
    const Case cases[] = {
        {0, 0, 0, 7.8, "0.00167", "0.00000"},     // 0°00′20.6″ − 0°00′12.8″; start (16.7 + 17.7) / 2 = 17.2″
        {0, 0, 1, 7.4, "44.13278", "44.13106"},   // 44°13′27.8″ − 17.2″
        {0, 0, 3, 4.6, "0.00177", ""},            // the closing pointing
        {1, 1, 2, -7.2, "183.39140", "93.38063"}, // R = 3°39′17.6″ turned by +180°; start (10.8 + 07.2) / 2
        {3, 0, 2, 3.7, "109.26590", "109.26267"}, // no 归零: start is the first mean reading 0°00′32.3″
    };
    const FieldBookReduction reduction = reduceFieldBook(exampleBook(), limitsOf("2"));
    for (const Case& c : cases) {
        const ReducedPointing& pointing = reduction.stations[c.station].rounds[c.round].pointings[c.pointing];
        EXPECT_NEAR(pointing.twoC, c.twoC, 1e-9) << c.station << c.round << c.pointing;
        EXPECT_EQ(packedAngleText(pointing.mean), c.mean);
        EXPECT_EQ(pointing.reduced ? packedAngleText(*pointing.reduced) : "", c.reduced);
    }
    const Station& a = reduction.stations[0];
    EXPECT_NEAR(a.rounds[0].closure->left, -0.6, 1e-9);
    EXPECT_NEAR(a.rounds[0].closure->right, 2.6, 1e-9);
    EXPECT_NEAR(a.directions[1].roundSpread, 2.8, 1e-9);  // 44°13′10.6″ and 13.4″
    EXPECT_FALSE(reduction.stations[3].rounds[0].closure);
    // Station B: differences from the means (0, −0.2, −0.25) and (0, 0.2, 0.25), less each round's orientation
    // ∓0.15: [vv] = 0.07 over (2 − 1)(3 − 1) degrees of freedom.
    EXPECT_NEAR(reduction.stations[3].sigma.value_or(0), std::sqrt(0.035), 1e-9);
}

// Readings across the zero of the circle and at the carry of a minute.
TEST(DirectionReduction, ReadingsAcrossZeroAndCarries) {
    struct Case {
        const char* left;
        const char* right;
        double twoC;
        const char* mean;
    };
    const Case cases[] = {
        {"359.59580", "179.59590", -1.0, "359.59585"},
        {"0.00010", "179.59590", 2.0, "0.00000"},
        {"0.00595", "180.01000", -0.5, "0.00598"},  // 0°00′59.75″ shown as 59.8″
        {"0.00597", "180.01000", -0.3, "0.00599"},  // 59.85″: halves up to 59.9″
        {"0.00599", "180.01000", -0.1, "0.01000"},  // 59.95″ carries into the minute, never 0°00′60.0″
    };
    for (const Case& c : cases) {
        std::vector<Pointing> book = exampleBook();
        book[0].left = c.left;
        book[0].right = c.right;
        const ReducedPointing pointing = reduceFieldBook(book, limitsOf("2")).stations[0].rounds[0].pointings[0];
        EXPECT_NEAR(pointing.twoC, c.twoC, 1e-9) << c.left;
        EXPECT_EQ(packedAngleText(pointing.mean), c.mean) << c.left;
    }
}

// A closure of 9.4″ on the left face (0°00′20.6″ closing at 0°00′30.0″), against each instrument's row of the table.
TEST(DirectionReduction, ChecksAgainstTheInstrumentsLimits) {
    struct Case {
        const char* instrument;
        double closureLimit;
        bool closurePasses;
        std::optional<double> twoCLimit;
        bool twoCPasses;  // 2C from 6.8″ to 14.6″ in that round
    };
    const Case cases[] = {{"0.5", 3, false, 5, false}, {"2", 8, false, 13, true}, {"6", 18, true, std::nullopt, true}};
    std::vector<Pointing> book = exampleBook();
    book[3].left = "0.00300";
    for (const Case& c : cases) {
        const FieldBookReduction reduction = reduceFieldBook(book, limitsOf(c.instrument));
        const Check& closure = reduction.checks[0];
        EXPECT_EQ(closure.kind, CheckKind::closure);
        EXPECT_NEAR(closure.value, 9.4, 1e-9);
        EXPECT_EQ(closure.limit, c.closureLimit);
        EXPECT_EQ(closure.ok, c.closurePasses) << c.instrument;
        EXPECT_EQ(reduction.checks[1].limit, c.twoCLimit) << c.instrument;
        EXPECT_NEAR(reduction.checks[1].value, 7.8, 1e-9);
        EXPECT_EQ(reduction.checks[1].ok, c.twoCPasses) << c.instrument;
        std::string again;  // the line 需重测 of the page
        for (const report::Line& line : report::fieldBookPageLines(reduction)) {
            std::string texts;
            for (const report::Item& item : line) {
                if (const auto* text = std::get_if<report::Text>(&item)) texts += text->text;
            }
            if (texts.starts_with("需重测")) again = texts;
        }
        EXPECT_EQ(again.find("测站 A 第 1 测回") != std::string::npos, !c.closurePasses) << again;
    }
}

}  // namespace
