// SPDX-License-Identifier: GPL-3.0-or-later
// GLPK as the reference of the differential test: a problem of the form
// (rows bounded above, columns below by 0) and the dual problem as the
// report writes it, each solved to GLPK's verdict and value.
#ifndef GLPKREFERENCE_H
#define GLPKREFERENCE_H

#include "reportdriver.h"
#include "texts/duality.h"

#include <glpk.h>

#include <vector>

namespace glpkreference {

enum class Verdict { Optimum, NoSolution };

struct Reference {
    Verdict verdict;
    double value;
    int status; // GLPK's: GLP_OPT, GLP_NOFEAS or GLP_UNBND
};

// The problem for GLPK: rows bounded above by b, columns below by 0.
inline glp_prob *glpkProblem(const Problem &p)
{
    const int n = int(p.c.size()), m = int(p.a.size());
    glp_prob *lp = glp_create_prob();
    glp_set_obj_dir(lp, p.maximise ? GLP_MAX : GLP_MIN);
    glp_add_rows(lp, m);
    glp_add_cols(lp, n);
    for (int j = 0; j < n; ++j) {
        glp_set_col_bnds(lp, j + 1, GLP_LO, 0, 0);
        glp_set_obj_coef(lp, j + 1, p.c[j]);
    }
    std::vector<int> ia{0}, ja{0};
    std::vector<double> ar{0};
    for (int i = 0; i < m; ++i) {
        glp_set_row_bnds(lp, i + 1, GLP_UP, 0, p.b[i]);
        for (int j = 0; j < n; ++j) {
            ia.push_back(i + 1);
            ja.push_back(j + 1);
            ar.push_back(p.a[i][j]);
        }
    }
    glp_load_matrix(lp, n * m, ia.data(), ja.data(), ar.data());
    return lp;
}

inline Reference solveWithGlpk(const Problem &p)
{
    glp_prob *lp = glpkProblem(p);
    glp_smcp parm;
    glp_init_smcp(&parm);
    parm.msg_lev = GLP_MSG_OFF;
    glp_simplex(lp, &parm);
    glp_exact(lp, &parm); // confirms the basis in exact arithmetic
    const int status = glp_get_status(lp);
    const Reference ref{status == GLP_OPT ? Verdict::Optimum : Verdict::NoSolution, glp_get_obj_val(lp), status};
    if (status != GLP_OPT && status != GLP_NOFEAS && status != GLP_UNBND)
        qFatal("GLPK status %d", status);
    glp_delete_prob(lp);
    return ref;
}

// The dual problem as written, solved by GLPK: its status and value.
inline Reference solveDualWithGlpk(const DualProblem &d)
{
    const int m = int(d.w.size()), n = int(d.c.size());
    glp_prob *lp = glp_create_prob();
    glp_set_obj_dir(lp, d.maximise ? GLP_MAX : GLP_MIN);
    glp_add_rows(lp, n);
    glp_add_cols(lp, m);
    for (int i = 0; i < m; ++i) {
        glp_set_col_bnds(lp, i + 1, d.maximise ? GLP_UP : GLP_LO, 0, 0); // y <= 0 for a minimisation's dual
        glp_set_obj_coef(lp, i + 1, d.w[i]);
    }
    std::vector<int> ia{0}, ja{0};
    std::vector<double> ar{0};
    for (int j = 0; j < n; ++j) {
        glp_set_row_bnds(lp, j + 1, d.maximise ? GLP_UP : GLP_LO, d.c[j], d.c[j]);
        for (int i = 0; i < m; ++i) {
            ia.push_back(j + 1);
            ja.push_back(i + 1);
            ar.push_back(d.rows[j][i]);
        }
    }
    glp_load_matrix(lp, n * m, ia.data(), ja.data(), ar.data());
    glp_smcp parm;
    glp_init_smcp(&parm);
    parm.msg_lev = GLP_MSG_OFF;
    parm.presolve = GLP_ON;
    glp_simplex(lp, &parm);
    int status = glp_get_status(lp);
    if (status == GLP_UNDEF) { // presolve tells only that there is no optimum: without it, which
        parm.presolve = GLP_OFF;
        glp_simplex(lp, &parm);
        status = glp_get_status(lp);
    }
    const Reference ref{status == GLP_OPT ? Verdict::Optimum : Verdict::NoSolution, glp_get_obj_val(lp), status};
    glp_delete_prob(lp);
    return ref;
}

// Six significant digits are shown: a printed value may be off by half a
// unit in its sixth digit. Allow for twice that.
inline bool equalToDigitsShown(double printed, double exact, double scale)
{
    return qAbs(printed - exact) <= 1e-5 * qMax(scale, 1e-300);
}

} // namespace glpkreference

#endif // GLPKREFERENCE_H
