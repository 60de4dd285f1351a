#include "numeric/studentized_range.h"

#include "numeric/critical_tables.h"
#include "numeric/distributions.h"

namespace orvel {

int StudentizedRangeTabulatedDf(int df) {
  if (df < 1) return -1;
  if (df <= 10) return df;
  if (df <= 20) return df + df % 2;  // 11-12, 13-14, ..., 19-20
  if (df <= 24) return 24;
  if (df <= 30) return 30;
  if (df <= 40) return 40;
  if (df <= 60) return 60;
  if (df <= 120) return 120;
  return kStudentizedRangeInfiniteDf;
}

namespace {
double RoundTo4Decimals(double x) { return std::round(x * 10000) / 10000; }
}  // namespace

std::optional<StudentizedRangePoints> StudentizedRangeCriticals(int k, int df) {
  if (k < 2 || k > kStudentizedRangeMaxMeans || df < 1) return std::nullopt;
  if (k <= 30) return StudentizedRangePoints{StudentizedRange05(k, df), StudentizedRange01(k, df)};
  const int v = StudentizedRangeTabulatedDf(df);
  const StudentizedRangeDistribution<double> distribution(k, kStudentizedRangeReportNodes);
  return StudentizedRangePoints{RoundTo4Decimals(distribution.Quantile(v, 0.05)),
                                RoundTo4Decimals(distribution.Quantile(v, 0.01))};
}

}  // namespace orvel
