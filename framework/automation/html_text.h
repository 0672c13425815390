#pragma once
// The text a reader sees in an HTML body, for a mail program that takes a
// body only as plain text (Evolution's composer from a mailto: link).
//
// The bodies of this system are small HTML documents of one era: a head,
// a body of FONT, DIV and P elements, lines ended by <br>. Their text is
// what lies between the tags of the body: the head, scripts, styles and
// comments give nothing; <br> ends a line; a block element (P, DIV, a
// heading, a list item, a table row) starts and ends one; runs of blanks and
// line breaks in the source are one blank, as a browser shows them; the
// character references (&amp;, &nbsp;, &#233;, &#xE9;, ...) are the
// characters they name. Blank lines at the start and end go, and so do the
// blanks at the ends of a line.

#include <string>
#include <string_view>

namespace fw::automation {

// `html` is UTF-8; so is the text, its lines ended by "\n".
std::string plainTextOfHtml(std::string_view html);

} // namespace fw::automation
