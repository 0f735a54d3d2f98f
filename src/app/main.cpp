// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TTavoApp.h"

int main(int argc, char** argv)
{
    TTavoApp application(argc, argv);
    return application.Run();
}
