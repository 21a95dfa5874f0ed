#pragma once
// What the search dialog asks for and remembers between searches: the word, where to
// look, the scope and the words searched before. Held by the main window for the run
// and written to no file.

#include <QString>
#include <QStringList>

struct SearchState {
    QString word;           // the word; offered again next time
    int wordBytes = 0;      // its length in Shift-JIS bytes, set when confirmed
    bool inMemo = true;     // text memos
    bool inRich = false;    // rich-text files
    bool inComment = false; // comment side files of pictures and other files
    bool allNodes = true;   // the whole tree, or the selected node and what follows down to its level
    QStringList history;    // earlier words, newest first, no duplicates, no limit
    bool confirmed = false; // the dialog was closed with its search button

    // The dialog's search button: takes the word and the kinds, and puts a new word at
    // the top of the history; a word already there keeps its place.
    void confirm(const QString &text, bool memo, bool rich, bool comment);
};

// The caption of the scope check box for its state.
QString searchScopeCaption(bool allNodes);
