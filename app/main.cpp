#include "app/naming_app.h"

int main(int argc, char* argv[])
{
    CNamingApp app(argc, argv);
    app.initInstance();
    return 0;
}
