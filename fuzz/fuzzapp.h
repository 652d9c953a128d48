#pragma once

// The one application object a fuzz target needs, made on the first input and kept.
template <typename App>
App &FuzzApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static App app(argc, argv);
    return app;
}
