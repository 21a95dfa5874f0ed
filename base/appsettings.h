#pragma once
// The values of the main settings file, one typed field per key. Loaded and saved in
// one place (the settings file module); the rest of the program reads and changes
// the fields in memory and they reach the file at the next save.

#include <QString>

// Font and colours of one view, as the settings file keeps them: the colours are
// colour texts ("clBlack" or "$00BBGGRR"), kept as written.
struct ViewFontSettings {
    QString FontName = QStringLiteral("ＭＳ 明朝");
    int FontSize = 9;
    QString FontColor = QStringLiteral("clBlack");
    int FontColorIndex = 1;
    QString BackColor = QStringLiteral("clWhite");
    int BackColorIndex = 16;
};

struct AppSettings {
    // "Form" and "TreePanel": the window's design geometry.
    int FormTop = 106;
    int FormLeft = 438;
    int FormWidth = 543;
    int FormHeight = 526;
    int TreePanelWidth = 145;

    // "Tree"
    bool FirstStartSW = false;
    QString UserName;
    int HistoryCount = 5;
    bool RestoreNodeSW = false;
    bool OleIconic = true;
    QString LastNodePath;
    QString LastNodeName;
    // Set when the start-up fell back to the default tree because the chosen one was missing.
    bool TreeFileMissingAtStart = false;

    // "Tree環境SET"
    bool TreeRootSW = true;
    bool TreeLineSW = true;
    bool TreeButtonSW = true;
    ViewFontSettings Tree;

    // "Memo環境SET"
    ViewFontSettings Memo;
    bool MemoWrap = false;
    int MemoTabWidth = 0;

    ViewFontSettings ImageMemo; // "画像Memo環境SET"
    ViewFontSettings OleMemo;   // "OLEMemo環境SET"

    // "ｻﾑﾈｰﾙ環境SET"
    int ThumbSmall = 32;
    int ThumbMedium = 64;
    int ThumbLarge = 128;
    int ThumbWidth = 128;
    int ThumbHeight = 64;

    // "印刷"
    bool PrintTitle = false;
    bool PrintFileName = false;
    bool PrintDate = false;
    bool PrintPageCount = false;
    bool PrintSeparator = false;
};

// The settings of this run.
extern AppSettings Cfg;
