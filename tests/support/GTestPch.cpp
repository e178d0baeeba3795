// The one source of the object library that precompiles GoogleTest's headers for the core
// tests; it has nothing of its own to compile.
