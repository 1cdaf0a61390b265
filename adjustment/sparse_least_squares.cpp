#include "adjustment/sparse_least_squares.h"

namespace zendro::adjustment {
namespace {

// A pivot this much below its unknown's own diagonal is the roundoff left
// after a dependent column: the unknown is not determined.
constexpr double kSingularPivot = 1e-10;

}  // namespace

SparseLeastSquares::SparseLeastSquares(int unknowns) : unknowns_(unknowns) {}

SparseLeastSquares::~SparseLeastSquares() = default;

Eigen::VectorXd SparseLeastSquares::solve(const std::vector<DesignRow>& rows) {
    inverse_.reset();
    // A, its rows scaled by the square root of their weight, written straight
    // into row-major storage: no triplets and no transposed copy.
    std::size_t entries = 0;
    for (const DesignRow& row : rows) entries += static_cast<std::size_t>(row.size);
    // Kept between solves, so its storage is reused.
    Eigen::SparseMatrix<double, Eigen::RowMajor>& design = design_;
    if (design.rows() != static_cast<Eigen::Index>(rows.size())) {
        design.resize(static_cast<Eigen::Index>(rows.size()), unknowns_);
    }
    design.resizeNonZeros(static_cast<Eigen::Index>(entries));
    int* starts = design.outerIndexPtr();
    int* columns = design.innerIndexPtr();
    double* values = design.valuePtr();
    Eigen::VectorXd misclosures(static_cast<Eigen::Index>(rows.size()));
    int next = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const DesignRow& row = rows[r];
        const double scale = 1.0 / row.sigma;
        starts[r] = next;
        // Compressed storage wants each row's columns in ascending order, once each.
        const int first = next;
        for (std::size_t k = 0; k < static_cast<std::size_t>(row.size); ++k) {
            const int column = row.unknowns[k];
            const double value = row.coefficients[k] * scale;
            int at = next;
            while (at > first && columns[at - 1] > column) --at;
            if (at > first && columns[at - 1] == column) {
                values[at - 1] += value;
                continue;
            }
            for (int move = next; move > at; --move) {
                columns[move] = columns[move - 1];
                values[move] = values[move - 1];
            }
            columns[at] = column;
            values[at] = value;
            ++next;
        }
        misclosures[static_cast<Eigen::Index>(r)] = row.misclosure * scale;
    }
    starts[rows.size()] = next;
    design.resizeNonZeros(next);  // less than reserved when a row named an unknown twice
    transposed_ = design.transpose();
    const Eigen::SparseMatrix<double> normals = transposed_ * design;
    const Eigen::VectorXd right = design.transpose() * misclosures;

    if (normals.nonZeros() != analyzedNonZeros_) {
        factor_.analyzePattern(normals);
        analyzedNonZeros_ = normals.nonZeros();
    }
    factor_.factorize(normals);
    const Eigen::VectorXd& pivots = factor_.vectorD();
    const auto& original = factor_.permutationPinv().indices();
    for (Eigen::Index k = 0; k < pivots.size(); ++k) {
        const int unknown = original[k];
        const double own = normals.coeff(unknown, unknown);
        if (!(pivots[k] > kSingularPivot * own)) throw SingularUnknown(unknown);
    }
    if (factor_.info() != Eigen::Success) throw SingularUnknown(original[0]);
    return factor_.solve(right);
}

void SparseLeastSquares::releaseDesign() {
    design_ = {};
    transposed_ = {};
}

const SelectedInverse& SparseLeastSquares::inverse() const {
    if (!inverse_) inverse_ = std::make_unique<SelectedInverse>(factor_);
    return *inverse_;
}

double SparseLeastSquares::cofactor(int a, int b) const { return inverse().at(a, b); }

std::vector<double> SparseLeastSquares::redundancies(const std::vector<DesignRow>& rows) const {
    const SelectedInverse& q = inverse();
    std::vector<double> result;
    result.reserve(rows.size());
    for (const DesignRow& row : rows) {
        double adjusted = 0;  // a^T Qxx a
        for (std::size_t i = 0; i < static_cast<std::size_t>(row.size); ++i) {
            for (std::size_t j = 0; j < static_cast<std::size_t>(row.size); ++j) {
                adjusted += row.coefficients[i] * row.coefficients[j] *
                            q.at(row.unknowns[i], row.unknowns[j]);
            }
        }
        result.push_back(1.0 - adjusted / (row.sigma * row.sigma));
    }
    return result;
}

}  // namespace zendro::adjustment
