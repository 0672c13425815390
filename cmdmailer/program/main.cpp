// vextrel: builds the documents of one job from its command line, for example
//
//   vextrel 12 2 "MakeHTMLFileBMKSW('out/kr12.html',3,16777215,100,'Report','','Arial',3,0,197,197,8270,11530,2,0,'A4')"
//
// The exit status is 0 when the documents were built (see frame_procedure.h).

#include "cmdmailer/program/frame_procedure.h"
#include "cmdmailer/program/vextrel_modules.h"
#include "engine/global_data.h"
#include "framework/ui/program.h"

int main(int argc, char** argv)
{
    engine::setProfile(engine::VextrelProfile);
    vextrel::registerVextrelModules();
    const int status = fw::ui::runProgram(argc, argv, vextrel::VextrelMain);
    return status != 0 ? status : vextrel::exitStatus();
}
