// Summary statistics and frequency distribution of one column.
#pragma once

#include "sheet/orvel_doc.h"

namespace orvel {

// Appends the summary-statistics report of column c.
void SummaryStatisticsReport(CORVELDoc& doc, int c);

// The classes the frequency dialog proposes for column c: k = floor(sqrt(n)) + 1 within
// 5..20, and settings that put the extreme values in the middle of the end classes.
struct FrequencyProposal {
  int classes;
  double maximum_setting;
  double minimum_setting;
};
FrequencyProposal ProposeFrequencyClasses(const CORVELDoc& doc, int c);
// Settings for a chosen number of classes, computed from the data.
FrequencyProposal FrequencySettingsForClasses(const CORVELDoc& doc, int c, int classes);

// Appends the frequency-distribution report: k classes of width w from the minimum setting a
// up to the maximum setting b (the last class includes b).
void FrequencyDistributionReport(CORVELDoc& doc, int c, double a, double b, double w, int k);

}  // namespace orvel
