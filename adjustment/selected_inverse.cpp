#include "adjustment/selected_inverse.h"

#include <algorithm>
#include <stdexcept>

namespace zendro::adjustment {

// With N = L D L^T (L unit lower) the inverse Z satisfies
//   Z = D^-1 L^-1 + (I - L^T) Z,
// so, column j from the last: for i in the pattern S of L(:,j),
//   Z(i,j) = -sum_{k in S} Z(i,k) L(k,j),  Z(j,j) = 1/D(j) - sum_{k in S} L(k,j) Z(k,j),
// and every Z(i,k) with i, k in S is already known on the pattern (it is chordal).
SelectedInverse::SelectedInverse(const Factor& factor)
    : lower_(factor.matrixL().nestedExpression()), permuted_(factor.permutationP().indices()) {
    const int n = static_cast<int>(lower_.cols());
    const int* starts = lower_.outerIndexPtr();
    const int* rows = lower_.innerIndexPtr();
    const double* values = lower_.valuePtr();
    const Eigen::VectorXd& d = factor.vectorD();
    offDiagonal_.assign(static_cast<std::size_t>(starts[n]), 0.0);
    diagonal_.assign(static_cast<std::size_t>(n), 0.0);

    std::vector<int> slot(static_cast<std::size_t>(n), -1);  // row -> place in column j's pattern
    std::vector<double> sum;
    for (int j = n - 1; j >= 0; --j) {
        const int begin = starts[j];
        const int count = starts[j + 1] - begin;
        sum.assign(static_cast<std::size_t>(count), 0.0);
        for (int p = 0; p < count; ++p) slot[static_cast<std::size_t>(rows[begin + p])] = p;
        for (int p = 0; p < count; ++p) {
            const int k = rows[begin + p];
            const double lkj = values[begin + p];
            sum[static_cast<std::size_t>(p)] += diagonal_[static_cast<std::size_t>(k)] * lkj;
            for (int q = starts[k]; q < starts[k + 1]; ++q) {
                const int s = slot[static_cast<std::size_t>(rows[q])];
                if (s < 0) continue;
                const double zik = offDiagonal_[static_cast<std::size_t>(q)];  // Z(i,k), i > k
                sum[static_cast<std::size_t>(s)] += zik * lkj;
                sum[static_cast<std::size_t>(p)] += zik * values[begin + s];
            }
        }
        double diagonal = 1.0 / d[j];
        for (int p = 0; p < count; ++p) {
            const double zij = -sum[static_cast<std::size_t>(p)];
            offDiagonal_[static_cast<std::size_t>(begin + p)] = zij;
            diagonal -= values[begin + p] * zij;
            slot[static_cast<std::size_t>(rows[begin + p])] = -1;
        }
        diagonal_[static_cast<std::size_t>(j)] = diagonal;
    }
}

double SelectedInverse::atPermuted(int row, int column) const {
    if (row == column) return diagonal_[static_cast<std::size_t>(row)];
    const int* rows = lower_.innerIndexPtr();
    const int* first = rows + lower_.outerIndexPtr()[column];
    const int* last = rows + lower_.outerIndexPtr()[column + 1];
    const int* found = std::lower_bound(first, last, row);
    if (found == last || *found != row) {
        throw std::out_of_range("inverse entry outside the factor's pattern");
    }
    return offDiagonal_[static_cast<std::size_t>(found - rows)];
}

double SelectedInverse::at(int a, int b) const {
    const int pa = permuted_[a];
    const int pb = permuted_[b];
    return pa >= pb ? atPermuted(pa, pb) : atPermuted(pb, pa);
}

}  // namespace zendro::adjustment
