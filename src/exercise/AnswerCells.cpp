#include "exercise/AnswerCells.h"

#include "form/FieldText.h"

namespace morvalen::exercise {
namespace {

constexpr int secondDecimals = 2;       // shares, corrections, coefficients: as the tables print them
constexpr int normalDecimals = 4;       // normal equations, determinant, square sums, sides
constexpr int correlateDecimals = 6;    // correlates and q
constexpr int coordinateDecimals = 3;   // Δx, Δy, X, Y

std::string indexed(const std::string& path, std::size_t i) { return path + "[" + std::to_string(i) + "]"; }
std::string indexed(const std::string& path, std::size_t i, std::size_t j) { return indexed(indexed(path, i), j); }

std::vector<std::string> keysOf(const std::string& path, std::size_t first, std::size_t last) {
    std::vector<std::string> keys;
    for (std::size_t i = first; i <= last; ++i) keys.push_back(indexed(path, i));
    return keys;
}

std::vector<std::string> joined(std::vector<std::string> keys, const std::vector<std::string>& more) {
    keys.insert(keys.end(), more.begin(), more.end());
    return keys;
}

void addAdjustmentCells(const AdjustmentSteps& steps, std::vector<AnswerCell>& cells) {
    const std::string shares = "first_group.shares_sec";
    const std::string coefficients = "pole.coefficients";
    const std::string rows = "second_group.rows";
    const std::string normal = "second_group.normal";
    for (std::size_t t = 0; t < 2; ++t) cells.push_back({indexed(shares, t), steps.firstGroup->shares[t], secondDecimals, {}});
    cells.push_back({"first_group.square_sum", *steps.firstGroupSquareSum, normalDecimals, keysOf(shares, 0, 1)});
    for (std::size_t k = 1; k <= 8; ++k) {
        cells.push_back({indexed(coefficients, k - 1), steps.pole->coefficients[k], secondDecimals,
                         {indexed(shares, k <= 4 ? 0 : 1)}});
    }
    const auto& strengths = *steps.routeStrengths;
    cells.push_back({"weight_function.route_strengths[0]", strengths[0], secondDecimals,
                     {indexed(coefficients, 6), indexed(coefficients, 1), indexed(coefficients, 0), indexed(coefficients, 3)}});
    cells.push_back({"weight_function.route_strengths[1]", strengths[1], secondDecimals,
                     {indexed(coefficients, 2), indexed(coefficients, 5), indexed(coefficients, 4), indexed(coefficients, 7)}});
    const auto& table = *steps.coefficientRows;
    for (std::size_t k = 1; k <= 8; ++k) {
        const std::size_t first = k <= 4 ? 0 : 4;
        cells.push_back({indexed(rows, 1, k - 1), table[2][k], secondDecimals, keysOf(coefficients, first, first + 3)});
    }
    for (std::size_t k = 1; k <= 8; ++k) {
        cells.push_back({indexed(rows, 2, k - 1), table[3][k], secondDecimals,
                         joined(keysOf(coefficients, 0, 7), keysOf("weight_function.route_strengths", 0, 1))});
    }
    // N(i, j) for i ≤ j: row 1 of the table (±0.5) is constant, rows 2 and 3 are cells.
    const auto& matrix = *steps.normalMatrix;
    for (std::size_t i = 0; i < 3; ++i) {
        for (std::size_t j = i; j < 3; ++j) {
            std::vector<std::string> from;
            for (std::size_t row : {i, j}) {
                if (row > 0) from = joined(from, keysOf(indexed(rows, row), 0, 7));
            }
            cells.push_back({indexed(normal, i, j), matrix[i + 1][j + 1], normalDecimals, from});
        }
    }
    const std::vector<std::string> normalAB{indexed(normal, 0, 0), indexed(normal, 0, 1), indexed(normal, 1, 1)};
    cells.push_back({"second_group.det", *steps.determinant, normalDecimals, normalAB});
    // w(3) and w(4) follow from the angles after the first group, that is from the shares.
    const std::vector<std::string> correlateInputs = joined(joined(normalAB, {"second_group.det"}), keysOf(shares, 0, 1));
    for (std::size_t i = 0; i < 2; ++i) {
        cells.push_back({indexed("second_group.correlates", i), (*steps.correlates)[i], correlateDecimals, correlateInputs});
    }
    const std::vector<std::string> qInputs = joined(
        joined(normalAB, {"second_group.det"}),
        {indexed(normal, 0, 2), indexed(normal, 1, 2)});
    for (std::size_t i = 0; i < 2; ++i) {
        cells.push_back({indexed("second_group.q", i), steps.reciprocalWeight->q[i], correlateDecimals, qInputs});
    }
    for (std::size_t k = 1; k <= 8; ++k) {
        cells.push_back({indexed("second_group.corrections_sec", k - 1), steps.corrections->corrections[k],
                         secondDecimals, joined(keysOf("second_group.correlates", 0, 1), {indexed(rows, 1, k - 1)})});
    }
    cells.push_back({"second_group.square_sum", steps.corrections->squareSum, normalDecimals,
                     keysOf("second_group.corrections_sec", 0, 7)});
}

void addCoordinateCells(const CoordinateSteps& coordinates, std::vector<AnswerCell>& cells) {
    if (!coordinates.legs || !coordinates.traverse) return;
    const TraverseLegs& legs = *coordinates.legs;
    const auto n = static_cast<std::size_t>(coordinates.stations);
    // The adjusted angles: every side and azimuth follows from them.
    const std::vector<std::string> angles =
        joined(keysOf("first_group.shares_sec", 0, 1), keysOf("second_group.corrections_sec", 0, 7));
    std::vector<bool> computed(n + 1, false);
    std::vector<std::vector<std::string>> sideInputs(n + 1);
    for (int i = 0; i < legs.chainLength; ++i) {
        const SideChainStep& step = legs.chain[static_cast<std::size_t>(i)];
        const auto side = static_cast<std::size_t>(step.newSide);
        if (side < 1 || side > n) continue;
        computed[side] = true;
        sideInputs[side] = angles;
        const auto from = static_cast<std::size_t>(step.fromSide);
        if (from >= 1 && from <= n && computed[from]) sideInputs[side].push_back(indexed("coordinates.sides_m", from - 1));
    }
    for (std::size_t i = 1; i <= n; ++i) {
        if (computed[i]) cells.push_back({indexed("coordinates.sides_m", i - 1), legs.sides[i], normalDecimals, sideInputs[i]});
    }
    const TraverseSteps& traverse = *coordinates.traverse;
    for (const auto& [axis, deltas, stations] :
         {std::tuple{std::string("x"), &legs.deltaX, &traverse.x}, std::tuple{std::string("y"), &legs.deltaY, &traverse.y}}) {
        const std::string delta = "coordinates.traverse.delta_" + axis + "_m";
        const std::string station = "coordinates.traverse." + axis + "_m";
        for (std::size_t i = 1; i <= n; ++i) {
            std::vector<std::string> from = angles;
            if (computed[i]) from.push_back(indexed("coordinates.sides_m", i - 1));
            cells.push_back({indexed(delta, i - 1), (*deltas)[i], coordinateDecimals, from});
        }
        for (std::size_t i = 1; i <= n; ++i) {
            std::vector<std::string> from{indexed(delta, i - 1)};
            if (i > 1) from.push_back(indexed(station, i - 1));
            cells.push_back({indexed(station, i), (*stations)[i], coordinateDecimals, from});
        }
    }
}

}  // namespace

std::vector<AnswerCell> answerCells(const ComputationSteps& steps) {
    std::vector<AnswerCell> cells;
    const AdjustmentSteps& adjustment = steps.adjustment;
    if (!adjustment.firstGroup || !adjustment.firstGroupSquareSum || !adjustment.pole || !adjustment.routeStrengths ||
        !adjustment.coefficientRows || !adjustment.normalMatrix || !adjustment.determinant || !adjustment.correlates ||
        !adjustment.reciprocalWeight || !adjustment.corrections) {
        return cells;
    }
    addAdjustmentCells(adjustment, cells);
    if (steps.coordinatesCalled) addCoordinateCells(steps.coordinates, cells);
    return cells;
}

std::string printedValue(const AnswerCell& cell) { return roundedFixed(cell.value, cell.decimals); }

}  // namespace morvalen::exercise

namespace morvalen::exercise {
namespace {

// The indexes of a key "path[i]" or "path[i][j]": the path and up to two numbers.
struct KeyParts {
    std::string path;
    std::vector<int> indexes;
};

std::optional<KeyParts> partsOf(const std::string& key) {
    KeyParts parts;
    const auto open = key.find('[');
    parts.path = key.substr(0, open);
    for (auto at = open; at != std::string::npos; at = key.find('[', at + 1)) {
        const auto close = key.find(']', at);
        if (close == std::string::npos || close == at + 1) return std::nullopt;
        const std::string digits = key.substr(at + 1, close - at - 1);
        if (digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 2) return std::nullopt;
        parts.indexes.push_back(std::stoi(digits));
    }
    return parts;
}

}  // namespace

std::optional<TablePlace> tablePlace(const std::string& key) {
    const std::optional<KeyParts> parts = partsOf(key);
    if (!parts) return std::nullopt;
    const std::string& path = parts->path;
    const std::vector<int>& i = parts->indexes;
    const auto one = [&](int table, int row, int column) -> std::optional<TablePlace> {
        return TablePlace{table, row, column};
    };
    // 表 1: b(1)..b(4), Σ, b(5)..b(8), Σ; the share stands beside the first angle of its triangle.
    if (path == "first_group.shares_sec" && i.size() == 1) return one(1, 5 * i[0], 3);
    // 表 2: one row an angle; columns c, a, b, f, v.
    if (path == "pole.coefficients" && i.size() == 1) return one(2, i[0], 1);
    if (path == "second_group.rows" && i.size() == 2 && i[0] >= 1) return one(2, i[1], 2 + i[0]);
    if (path == "second_group.corrections_sec" && i.size() == 1) return one(2, i[0], 5);
    // 表 3: the rows a, b, f of the normal equations.
    if (path == "second_group.normal" && i.size() == 2) return one(3, i[0], i[1] + 1);
    // 表 5: R1, R2, the route, [vv]₁, [vv]₂, q1, q2, 1/Plgs, …
    if (path == "weight_function.route_strengths" && i.size() == 1) return one(5, i[0], 2);
    if (path == "first_group.square_sum" && i.empty()) return one(5, 3, 2);
    if (path == "second_group.square_sum" && i.empty()) return one(5, 4, 2);
    if (path == "second_group.q" && i.size() == 1) return one(5, 5 + i[0], 2);
    // 表 7: the given station, then one row a side: S, Δx, Δy, the station reached, X, Y.
    if (path == "coordinates.sides_m" && i.size() == 1) return one(7, i[0] + 1, 2);
    if (path == "coordinates.traverse.delta_x_m" && i.size() == 1) return one(7, i[0] + 1, 3);
    if (path == "coordinates.traverse.delta_y_m" && i.size() == 1) return one(7, i[0] + 1, 4);
    if (path == "coordinates.traverse.x_m" && i.size() == 1) return one(7, i[0], 6);
    if (path == "coordinates.traverse.y_m" && i.size() == 1) return one(7, i[0], 7);
    return std::nullopt;
}

}  // namespace morvalen::exercise
