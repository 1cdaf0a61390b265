#pragma once

#include <Eigen/SparseCholesky>
#include <array>
#include <memory>
#include <stdexcept>
#include <vector>

#include "adjustment/selected_inverse.h"

namespace zendro::adjustment {

// One observation linearized at the current values: at most five unknowns
// (two points and an orientation). A held unknown is index -1 and left out.
struct DesignRow {
    std::array<int, 5> unknowns{};
    std::array<double, 5> coefficients{};
    int size = 0;
    double misclosure = 0;  // observed minus computed
    double sigma = 1;       // a priori, in the observation's unit

    void add(int unknown, double coefficient) {
        if (unknown < 0) return;
        unknowns[static_cast<std::size_t>(size)] = unknown;
        coefficients[static_cast<std::size_t>(size)] = coefficient;
        ++size;
    }
};

// The normal equations leave this unknown undetermined.
class SingularUnknown : public std::runtime_error {
  public:
    explicit SingularUnknown(int index)
        : std::runtime_error("singular normal equations"), unknown(index) {}
    int unknown;
};

// Weighted least squares over sparse normal equations, factorized by Eigen's
// simplicial LDL^T with a fill-reducing ordering found once.
class SparseLeastSquares {
  public:
    explicit SparseLeastSquares(int unknowns);
    ~SparseLeastSquares();
    SparseLeastSquares(const SparseLeastSquares&) = delete;
    SparseLeastSquares& operator=(const SparseLeastSquares&) = delete;

    // The corrections to the unknowns from one linearization. Throws
    // SingularUnknown when the rows do not determine an unknown.
    Eigen::VectorXd solve(const std::vector<DesignRow>& rows);

    // Frees the design matrix kept for the next solve; the factor stays.
    void releaseDesign();

    // From the last solve: the cofactor of two unknowns that share a row.
    double cofactor(int a, int b) const;
    // Each row's redundancy number 1 - p a^T Qxx a.
    std::vector<double> redundancies(const std::vector<DesignRow>& rows) const;

  private:
    const SelectedInverse& inverse() const;

    int unknowns_;
    Eigen::SparseMatrix<double, Eigen::RowMajor> design_;  // A, rows scaled by sqrt(weight)
    Eigen::SparseMatrix<double> transposed_;
    SelectedInverse::Factor factor_;
    Eigen::Index analyzedNonZeros_ = -1;
    mutable std::unique_ptr<SelectedInverse> inverse_;  // made on first use after a solve
};

}  // namespace zendro::adjustment
