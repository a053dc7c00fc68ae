// Nothing of its own: the target built from this file compiles the Qt headers that every
// test program includes, once, into the precompiled header the test programs share.
