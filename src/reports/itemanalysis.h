#pragma once

#include "reports/reportdata.h"

#include <QString>
#include <vector>

namespace sw {

// How each question worked, over the scored candidates (see summarystatistics.h).
// A figure that is not defined is NaN:
// - difficulty without candidates or for a question worth no points;
// - discrimination with fewer than two candidates (the 27 % groups would be
//   empty) or when every total is equal (the groups cannot be told apart);
// - the point-biserial correlation when the question's points or the totals
//   do not vary (a question nobody answered, every candidate equal).

struct OptionShare
{
    QChar option;
    int count = 0;    // candidates who marked it (alone or with others)
    double share = 0; // count / scored candidates; 0 without candidates
    bool key = false; // part of the key on every paper type that has one
};

struct ItemStatistics
{
    QString number;
    double points = 0;
    // The key as the report shows it: "B", or per paper type "A:B B:C" when they differ.
    QString keyText;
    double difficulty = 0; // mean points / full points
    // Mean share of full points in the upper 27 % by total minus that in the
    // lower 27 %. Ties at a group's edge keep the candidates' order.
    double discrimination = 0;
    double pointBiserial = 0;         // correlation of the question's points with the total
    std::vector<OptionShare> options; // in the order the question offers them
    int blanks = 0;
    int doubles = 0;
    // The discrimination is below zero.
    bool negativeDiscrimination = false;
    // Some option outside a candidate's key drew more candidates than the
    // key itself (the whole key, marked exactly).
    bool distractorAboveKey = false;

    bool flagged() const { return negativeDiscrimination || distractorAboveKey; }
};

std::vector<ItemStatistics> analyseItems(const ReportData& data);

} // namespace sw
