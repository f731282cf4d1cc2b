// view_text: text as a file holds it and as a multi-line edit control
// shows it. The control needs CR LF at every line end; files are written
// with CR LF as every text file of the suite.
#pragma once

#include <string>

// Every line end (LF, CR LF or a lone CR) becomes CR LF.
std::string view_text_crlf(const std::string& text);
