#pragma once
// The large tree the benchmarks share: a deterministic tree of folders (up to level 7,
// 2..12 children each) and empty files of several kinds, written as a tree file with a
// file or folder on disk for every node.

#include <QString>
#include <QStringList>

struct GeneratedTree {
    QStringList fsPaths; // one per node, in tree-file order
    QString treeFile;    // root + "/Bench.Orvan"
};

// Makes the tree below root, or, when root already holds "Bench.Orvan" and reuse is
// set, reads the paths back from that file.
GeneratedTree generateTree(const QString &root, int nodes, bool reuse = false);

// Sets up a program folder with the shipped Res files the window needs; returns the
// executable path inside it.
QString makeBenchExeDir(const QString &folder);

// Resident memory of this process in MB (VmRSS), and its peak (VmHWM).
double residentMb();
double peakResidentMb();

// Processor time of the whole process (all threads) in ms: on a shared machine the wall
// clock also counts other programs' work.
double processCpuMs();

// Median of the values (which it sorts).
double median(QList<double> values);
