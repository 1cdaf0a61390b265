#pragma once

#include <Eigen/SparseCholesky>
#include <vector>

namespace zendro::adjustment {

// The entries of the inverse of a sparse symmetric matrix N on the pattern of
// its LDL^T factor (Takahashi's recurrence), from Eigen's factorization: every
// pair of unknowns that share an observation row is on that pattern, which is
// all a variance or a redundancy number needs. The cost is about that of the
// factorization itself, where a dense inverse would be n^3 and n^2 memory.
class SelectedInverse {
  public:
    using Factor = Eigen::SimplicialLDLT<Eigen::SparseMatrix<double>, Eigen::Lower,
                                         Eigen::AMDOrdering<int>>;

    explicit SelectedInverse(const Factor& factor);

    // Inverse entry (a, b) in the unknowns' own order. Throws std::out_of_range
    // when the pair is not on the factor's pattern.
    double at(int a, int b) const;

  private:
    double atPermuted(int row, int column) const;  // row >= column

    const Eigen::SparseMatrix<double>& lower_;  // the factor's strictly lower L
    Eigen::VectorXi permuted_;                  // the factor's index of each unknown
    std::vector<double> offDiagonal_;           // on L's pattern
    std::vector<double> diagonal_;
};

}  // namespace zendro::adjustment
