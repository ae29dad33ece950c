// Text at the widget boundary: the engine keeps Windows-1252 bytes, widgets
// show QString. Every engine string goes through FromWin1252 before it is
// shown and every typed text through ToWin1252 before it is stored.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace vantrel {

QString FromWin1252(std::string_view text);

// False when `text` holds a character that Windows-1252 cannot hold; `out`
// is then left unchanged.
bool ToWin1252(const QString& text, std::string& out);

// `text` as Windows-1252 text with "?" for each character that Windows-1252
// cannot hold: for previews and checks of texts that are refused later.
std::string ToWin1252Lossy(const QString& text);

// The distinct characters of `text` that Windows-1252 cannot hold, in order
// of first appearance ("" when there are none).
QString UnstorableCharacters(const QString& text);

// The message shown when a field holds such characters; `field` names it
// ("Application name").
QString UnstorableMessage(const QString& field, const QString& characters);

}  // namespace vantrel

namespace vantrel {

// A path of the engine as this host writes it (for file dialogs and QFile).
QString NativePath(std::string_view enginePath);
// The engine's form of a path typed or chosen on this host; false when a
// name holds a character that Windows-1252 cannot hold.
bool Win1252Path(const QString& nativePath, std::string& out);

}  // namespace vantrel
