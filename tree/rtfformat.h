#pragma once
// What the RTF reader and writer share: the property they keep on character formats
// beside Qt's own, the unit conversions, and the names under which a feature that a
// rich-text document cannot hold is reported to the user.

#include <QString>
#include <QTextFormat>

namespace Rtf {

// The "\fcharsetN" of the font a run came in, so that writing gives the font table
// the charset the file had. Runs typed or pasted in this program have none (the
// writer then uses Shift-JIS, 128).
constexpr int FontCharsetProperty = QTextFormat::UserProperty + 0x5254;

constexpr int ShiftJisCharset = 128;

// Lengths: RTF counts twips (1/1440 inch), the document pixels at 96 per inch.
inline qreal twipsToPixels(int twips) { return twips / 15.0; }
inline int pixelsToTwips(qreal pixels) { return qRound(pixels * 15.0); }

// Names of what may be lost, as the user reads them.
namespace Lost {
inline QString picture() { return QStringLiteral("画像"); }
inline QString object() { return QStringLiteral("埋め込みオブジェクト"); }
inline QString drawing() { return QStringLiteral("図形"); }
inline QString table() { return QStringLiteral("表"); }
inline QString list() { return QStringLiteral("箇条書き・段落番号"); }
inline QString field() { return QStringLiteral("フィールド（リンクなど）"); }
inline QString headerFooter() { return QStringLiteral("ヘッダー・フッター"); }
inline QString footnote() { return QStringLiteral("脚注"); }
inline QString annotation() { return QStringLiteral("コメント（注釈）"); }
inline QString bookmark() { return QStringLiteral("ブックマーク"); }
inline QString style() { return QStringLiteral("スタイル"); }
inline QString documentInfo() { return QStringLiteral("文書情報"); }
inline QString pageSetup() { return QStringLiteral("ページ設定"); }
inline QString pageBreak() { return QStringLiteral("改ページ・セクション区切り"); }
inline QString border() { return QStringLiteral("罫線"); }
inline QString shading() { return QStringLiteral("網かけ"); }
inline QString hiddenText() { return QStringLiteral("隠し文字"); }
inline QString textEffect() { return QStringLiteral("文字飾り（影・中抜きなど）"); }
inline QString spacing() { return QStringLiteral("文字間隔・文字幅"); }
inline QString raisedText() { return QStringLiteral("文字位置の上げ下げ"); }
inline QString underlineKind() { return QStringLiteral("下線の種類"); }
inline QString underlineColour() { return QStringLiteral("下線の色"); }
inline QString doubleStrike() { return QStringLiteral("二重取り消し線"); }
inline QString tabKind() { return QStringLiteral("タブの種類・リーダー"); }
inline QString distributed() { return QStringLiteral("均等割り付け"); }
inline QString rightToLeft() { return QStringLiteral("右から左への書字方向"); }
inline QString binaryData() { return QStringLiteral("バイナリデータ"); }
inline QString unreadableBytes() { return QStringLiteral("読めない文字"); }
inline QString codePage(int cp) { return QStringLiteral("文字コード（コードページ %1）").arg(cp); }
inline QString unclosed() { return QStringLiteral("閉じていない括弧（ファイルの終わりが欠けている）"); }
inline QString controlCharacters() { return QStringLiteral("制御文字"); }
inline QString tooDeep() { return QStringLiteral("深すぎる括弧の入れ子（それより後の内容）"); }
inline QString afterNul() { return QStringLiteral("NUL文字より後のデータ"); }
inline QString controlWord(const QString &word) { return QStringLiteral("未対応の書式 \\%1").arg(word); }
inline QString destination(const QString &word) { return QStringLiteral("未対応の要素 \\%1").arg(word); }
} // namespace Lost

} // namespace Rtf
