#include "search/searchstate.h"

#include "base/sjiscodec.h"

void SearchState::confirm(const QString &text, bool memo, bool rich, bool comment)
{
    word = text;
    wordBytes = int(Sjis::byteLength(word));
    inMemo = memo;
    inRich = rich;
    inComment = comment;
    if (!word.isEmpty() && !history.contains(word, Qt::CaseSensitive))
        history.prepend(word);
    confirmed = true;
}

QString searchScopeCaption(bool allNodes)
{
    return allNodes ? QStringLiteral("全ノード検索") : QStringLiteral("下層ノード検索");
}
