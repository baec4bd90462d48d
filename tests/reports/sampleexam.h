#pragma once

#include "reports/reportdata.h"

#include <QString>

namespace sw::test {

// One scored answer: the points given and the marks, "" for a blank.
struct SampleAnswer
{
    double points;
    const char* chosen;
    bool multipleMarks = false;
};

ReportCandidate sampleCandidate(const QString& examNumber, CandidateStatus status,
                                std::initializer_list<SampleAnswer> answers);

// Four single-choice questions (points 1, 2, 1, 1; keys A, B, C, D on paper
// type "A"; options ABCD) and eight candidates: E1 to E5 scored with totals
// 4, 3, 3, 2, 1, then one absent, one missing and one under review.
//
//        Q1     Q2        Q3     Q4     total
//   E1   A 1    B 2       C 1    A 0    4
//   E2   A 1    B 2       -  0   A 0    3
//   E3   A 1    C 0       C 1    D 1    3
//   E4   A 1    AB 0 (d)  C 1    A 0    2
//   E5   B 0    -  0      A 0    D 1    1
ReportData sampleExam();

} // namespace sw::test
