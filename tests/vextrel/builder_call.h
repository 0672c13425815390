#pragma once
// The builder's call as vextrel's command line gives it, and the HTML body
// file that a call without body lines writes.

#include <string>

// The call of the example: sixteen arguments, the HTML body file in out/.
inline std::string call(const std::string& htmlPath, int pages = 3, const std::string& background = "16777215",
                        int mode = 2, const std::string& documentName = "Report", const std::string& rtfFolder = "")
{
    return "MakeHTMLFileBMKSW('" + htmlPath + "'," + std::to_string(pages) + "," + background + ",100,'" +
           documentName + "','" + rtfFolder + "','Arial',3,0,197,197,8270,11530," + std::to_string(mode) + ",0,'A4')";
}

// The HTML body file of a run without body lines.
inline std::string htmlBody(const std::string& backgroundDigits)
{
    return "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\r\n\r\n"
           "<HTML><HEAD>\r\n\r\n"
           "<META content=\"text/html; charset=iso-8859-1\" http-equiv=Content-Type>\r\n\r\n"
           "<META content=\"MSHTML 5.00.2614.3500\" name=GENERATOR></HEAD>\r\n\r\n"
           "<BODY bgColor=#" +
           backgroundDigits +
           "><DIV>\r\n\r\n"
           "</DIV></BODY></HTML>\r\n";
}
