// The numbers that the manual quotes for its validation tests, computed anew:
// the closed forms from the data of the example datafiles, the program's
// values by running them. A phrase of the text with "{}" for its numbers
// must occur once in its section, and every decimal number of the section
// must be one that is checked, so that neither can go stale unnoticed.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>
#include <vector>

#include "core/Datafile.h"
#include "engine/AnchorLaw.h"
#include "engine/FloatingPointFault.h"
#include "manual/ManualText.h"
#include "tests/engine/EngineTestSupport.h"

namespace korvanu {
namespace {

using std::numbers::pi;

struct Quote {
  QString Phrase;              // with "{}" where a number stands
  std::vector<double> Values;  // what each number must round to
};

QString SectionText(const QString& heading) {
  QStringList lines;
  for (const ManualLine& line : TheManual().Section(heading).Lines) lines << line.Text.trimmed();
  return lines.join(QLatin1Char(' '));
}

const QString NumberPattern = QStringLiteral("(-?\\d+(?:\\.\\d+)?)");

// Checks each quote against the section, and that the quotes cover every
// number with decimals in it.
void CheckQuotes(const QString& heading, const std::vector<Quote>& quotes) {
  const QString text = SectionText(heading);
  std::set<qsizetype> checked;
  for (const Quote& quote : quotes) {
    QString pattern;
    const QStringList pieces = quote.Phrase.split(QStringLiteral("{}"));
    for (qsizetype k = 0; k < pieces.size(); ++k) {
      if (k > 0) pattern += NumberPattern;
      pattern += QRegularExpression::escape(pieces[k]).replace(QStringLiteral("\\ "),
                                                               QStringLiteral("\\s+"));
    }
    const QRegularExpression phrase(pattern);
    ASSERT_TRUE(phrase.isValid()) << pattern.toStdString();
    ASSERT_EQ(std::size_t(pieces.size() - 1), quote.Values.size()) << quote.Phrase.toStdString();
    const QRegularExpressionMatch match = phrase.match(text);
    ASSERT_TRUE(match.hasMatch()) << heading.toStdString() << ": no \""
                                  << quote.Phrase.toStdString() << "\" in the text";
    EXPECT_FALSE(phrase.match(text, match.capturedEnd()).hasMatch())
        << heading.toStdString() << ": \"" << quote.Phrase.toStdString() << "\" twice";
    for (std::size_t k = 0; k < quote.Values.size(); ++k) {
      const QString quoted = match.captured(int(k) + 1);
      const qsizetype point = quoted.indexOf(QLatin1Char('.'));
      const int decimals = point < 0 ? 0 : int(quoted.size() - point - 1);
      EXPECT_LE(std::fabs(quoted.toDouble() - quote.Values[k]),
                0.5 * std::pow(10.0, -decimals) + 1e-9)
          << heading.toStdString() << ": \"" << quote.Phrase.toStdString() << "\" quotes "
          << quoted.toStdString() << " for " << quote.Values[k];
      checked.insert(match.capturedStart(int(k) + 1));
    }
  }
  const QRegularExpression decimal(QStringLiteral("-?\\d+\\.\\d+"));
  for (auto it = decimal.globalMatch(text); it.hasNext();) {
    const QRegularExpressionMatch number = it.next();
    EXPECT_TRUE(checked.count(number.capturedStart()))
        << heading.toStdString() << ": " << number.captured().toStdString() << " is not checked";
  }
}

class ManualValidation : public test::EngineRun {
 protected:
  // An example datafile as Open reads it.
  static std::unique_ptr<ProblemData> Example(const char* name) {
    auto problem = test::DefaultProblem();
    const std::string text = ReadFile(std::string(KORVANU_EXAMPLES) + "/" + name);
    EXPECT_FALSE(text.empty()) << name;
    EXPECT_FALSE(ReadDatafile(text, *problem)) << name;
    return problem;
  }

  // Runs the problem; the results of its last step are in engine->Nodes.
  void Compute(ProblemData& problem) {
    ASSERT_EQ(Run(problem), ComputationFault::None);
    for (const StepOutcome& outcome : observer.outcomes) ASSERT_TRUE(outcome.converged);
    EXPECT_TRUE(observer.messages.empty());
  }

  int NodeAt(double z) const {
    for (int i = 0; i < MaxNodes; ++i)
      if (std::fabs(engine->Nodes.z[i] - z) < 1e-9) return i;
    ADD_FAILURE() << "no node at z = " << z;
    return 0;
  }

  // The node of the largest bending moment in magnitude.
  int LargestMoment(int NN) const {
    int at = 0;
    for (int i = 0; i <= NN; ++i)
      if (std::fabs(engine->Nodes.M[i]) > std::fabs(engine->Nodes.M[at])) at = i;
    return at;
  }
};

// The soil of the elastic foundation: no effective stress, so only the
// cohesion gives the limits, and the stiffness k = (Sp - Sa) / Dw.
struct Foundation {
  double Sa, Sp, k, EI, L;
  explicit Foundation(const ProblemData& p) {
    const LayerProperties& soil = p.Layer(0, 1, Side::Right);
    Sa = std::max(0.0, -2 * soil.c * std::sqrt(soil.Ka));
    Sp = 2 * soil.c * std::sqrt(soil.Kp);
    k = (Sp - Sa) / soil.Dw;
    EI = p.Catalogue[p.General.NP - 1].EI;
    L = std::sqrt(std::sqrt(4 * EI / k));
  }
};

TEST_F(ManualValidation, Test1ForceOnAnElasticFoundation) {
  auto p = Example("Test1.krv");
  const Foundation soil(*p);
  const double F = p->Anchors[1][0].Fx;
  const double top = F * std::pow(soil.L, 3) / (2 * soil.EI);
  Compute(*p);
  const NodeResults& r = engine->Nodes;
  const int largest = LargestMoment(p->General.NN);
  CheckQuotes(QStringLiteral("Test 1"),
              {{"so Sa={}, Sp={} kN/m², k={} kN/m³", {soil.Sa, soil.Sp, soil.k}},
               {"L=sqrt(sqrt(4*EI/k))={} m", {soil.L}},
               {"The displacement at the top is FL³/2EI={} m", {top}},
               {"the program computes {} m at the top and {} m at z=1 m (exact: {} m)",
                {r.w[0], r.w[NodeAt(1.0)], top * std::exp(-1 / soil.L) * std::cos(1 / soil.L)}},
               {"the largest moment {} kNm/m at z={} m (exact: {} kNm/m at z={} m)",
                {r.M[largest], r.z[largest], -F * soil.L * std::exp(-pi / 4) * std::sin(pi / 4),
                 pi / 4 * soil.L}}});
}

TEST_F(ManualValidation, Test2MomentOnAnElasticFoundation) {
  auto p = Example("Test2.krv");
  const Foundation soil(*p);
  const double MA = p->Axial[1].MA;
  const auto w = [&](double z) {
    return MA * soil.L * soil.L / (soil.EI * std::numbers::sqrt2) * std::exp(-z / soil.L) *
           std::sin(z / soil.L + 3 * pi / 4);
  };
  Compute(*p);
  const NodeResults& r = engine->Nodes;
  CheckQuotes(QStringLiteral("Test 2"),
              {{"again with {} m at the top", {w(0)}},
               {"The program computes {} m and M={} kNm/m at the top, and {} m at z=1 m "
                "(exact: {} m)",
                {r.w[0], r.M[0], r.w[NodeAt(1.0)], w(1)}}});
}

// Test 3 is excavated on the left, Test 4 its mirror image on the right.
TEST_F(ManualValidation, Test3And4AnchoredWall) {
  auto p = Example("Test3.krv");
  const LayerProperties& sand = p->Layer(2, 1, Side::Left);
  const double anchor = p->Z[1], dug = p->Z[2];
  // The free-earth-support method: the active pressure behind the whole
  // wall and the passive one in front below the excavation balance in their
  // moments about the anchor; the anchor takes the difference.
  const auto active = [&](double D) { return sand.Ka * sand.Wd * D * D / 2; };
  const auto passive = [&](double D) { return sand.Kp * sand.Wd * (D - dug) * (D - dug) / 2; };
  const auto turning = [&](double D) {
    return active(D) * (2 * D / 3 - anchor) - passive(D) * (dug + 2 * (D - dug) / 3 - anchor);
  };
  double low = dug, high = 2 * p->General.Length;
  while (high - low > 1e-9) {
    const double D = (low + high) / 2;
    if (turning(D) > 0) {
      low = D;
    } else {
      high = D;
    }
  }
  const double classical = low;

  // The shortest wall that stands, to the millimetre, the toe moved.
  const auto stands = [&](int mm) {
    ProblemData q = *p;
    q.Z[q.General.NL] = q.General.Length = mm / 1000.0;
    q.H[q.General.NL - 1] = q.Z[q.General.NL] - q.Z[q.General.NL - 1];
    const ComputationFault fault = Run(q);
    EXPECT_TRUE(fault == ComputationFault::None || fault == ComputationFault::DivisionByZero);
    return fault == ComputationFault::None;
  };
  int holds = static_cast<int>(std::lround(1000 * p->General.Length)), fails = holds - 100;
  ASSERT_TRUE(stands(holds));
  ASSERT_FALSE(stands(fails));
  while (holds - fails > 1) {
    const int mm = (fails + holds) / 2;
    if (stands(mm)) {
      holds = mm;
    } else {
      fails = mm;
    }
  }

  Compute(*p);
  const int largest = LargestMoment(p->General.NN);
  const double force = AnchorForceAt(*p, *engine, 1, 1);
  const double M = engine->Nodes.M[largest], z = engine->Nodes.z[largest];
  CheckQuotes(
      QStringLiteral("Test 3"),
      {{"Wd={} kN/m³, Ka=Kn={}, Kp={}, Dw={} m, is excavated {} m on the left, with an anchor "
        "at {} m on the right",
        {sand.Wd, sand.Ka, sand.Kp, sand.Dw, dug, anchor}},
       {"With Ka={} it gives a minimum length of {} m and an anchor force of {} kN/m",
        {sand.Ka, classical, active(classical) - passive(classical)}},
       {"a wall of {} m stands and one of {} m does not", {holds / 1000.0, fails / 1000.0}},
       {QStringLiteral("ends with \"%1\"")
            .arg(QLatin1String(FaultText(ComputationFault::DivisionByZero))),
        {}},
       {"For {} m (datafile Test3) it gives an anchor force of {} kN/m and a largest moment of {} "
        "kNm/m at z={} m",
        {p->General.Length, force, M, z}}});

  // Test 4 gives the same numbers with the opposite signs.
  auto mirrored = Example("Test4.krv");
  Compute(*mirrored);
  const int node = LargestMoment(mirrored->General.NN);
  EXPECT_EQ(engine->Nodes.z[node], z);
  EXPECT_NEAR(AnchorForceAt(*mirrored, *engine, 1, 1), -force, 1e-9 * std::fabs(force));
  EXPECT_NEAR(engine->Nodes.M[node], -M, 1e-9 * std::fabs(M));
  EXPECT_TRUE(SectionText(QStringLiteral("Test 4")).contains(QStringLiteral("opposite signs")));
}

}  // namespace
}  // namespace korvanu
