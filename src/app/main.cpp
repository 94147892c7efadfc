#include "app/Application.h"

int main(int argc, char* argv[])
{
    return kelvane::RunApplication(argc, argv);
}
