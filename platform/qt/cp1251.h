// Description texts are single-byte Windows-1251 in the task; the window
// shows and edits them as Unicode. These convert at that edge.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace zv {

QString FromCp1251(std::string_view bytes);
// Characters that Windows-1251 cannot hold become '?'.
std::string ToCp1251(const QString& text);

}  // namespace zv
