#include "analyses/summary.h"

#include <cmath>
#include <string>

#include "analyses/result_text.h"

namespace orvel {

void SummaryStatisticsReport(CORVELDoc& doc, int c) {
  doc.AppendResult("\n");
  const int n = doc.Count(c);
  if (n < 3) return;
  AppendReport(doc, "<<< Summary statistics >>>\n\n");
  AppendReport(doc, "Col%d : %s\n\n", c, std::string(doc.Text(c, 0)).c_str());
  AppendReport(doc, "Number\t\t%d\n", n);
  AppendReport(doc, "Sum\t\t%.6f\n", doc.Sum(c));
  AppendReport(doc, "Mean\t\t%.6f\n", doc.Mean(c));
  AppendReport(doc, "Max\t\t%.6f\n", doc.Max(c));
  AppendReport(doc, "Min\t\t%.6f\n", doc.Min(c));
  const CORVELDoc::MedianAndQuartiles q = doc.Quartiles(c);
  AppendReport(doc, "Median\t\t%.6f\n", q.median);
  AppendReport(doc, "1st Qu.\t\t%.6f\n", q.lower);
  AppendReport(doc, "3rd Qu.\t\t%.6f\n", q.upper);
  AppendReport(doc, "SD\t\t%.6f\n", doc.SD(c));
  AppendReport(doc, "Sample SD\t%.6f\n", doc.SampleSD(c));
  AppendReport(doc, "SE\t\t%.6f\n", doc.SE(c));
  AppendReport(doc, "Skewness\t%.6f\n", doc.Skewness(c));
  AppendReport(doc, "Kurtosis\t%.6f\n\n", doc.Kurtosis(c));
  if (doc.IncludeDataInResult()) ListColumnData(doc, c);
}

FrequencyProposal FrequencySettingsForClasses(const CORVELDoc& doc, int c, int classes) {
  const double max = doc.Max(c), min = doc.Min(c);
  const double h = (max - min) / (classes - 1);
  return {classes, max + h / 2, min - h / 2};
}

FrequencyProposal ProposeFrequencyClasses(const CORVELDoc& doc, int c) {
  int k = static_cast<int>(std::floor(std::sqrt(static_cast<double>(doc.Count(c))))) + 1;
  if (k > 20) k = 20;
  if (k < 5) k = 5;
  return FrequencySettingsForClasses(doc, c, k);
}

void FrequencyDistributionReport(CORVELDoc& doc, int c, double a, double b, double w, int k) {
  AppendReport(doc, "\n\n<<<Frequency distribution>>>\nCol%d : %s\n\n", c,
               std::string(doc.Text(c, 0)).c_str());
  AppendReport(doc, "The number of classes%d\n", k);
  const int used = doc.UsedRowCount();
  for (int i = 0; i < k; ++i) {
    const double lower = a + i * w;
    const double upper = lower + w;
    const bool last = i == k - 1;
    int count = 0;
    for (int r = 1; r <= used; ++r) {
      if (!doc.IsNumeric(c, r)) continue;
      const double x = doc.Value(c, r);
      if (lower <= x && (last ? x <= b : x < upper)) ++count;
    }
    std::string line = FormatReport("%8.4f,%8.4f\t\t%d\t\t", lower, upper, count);
    line.append(static_cast<std::size_t>(count), '*');
    line += '\n';
    doc.AppendResult(line);
  }
  doc.AppendResult("\n");
  if (doc.IncludeDataInResult()) ListColumnData(doc, c);
}

}  // namespace orvel
