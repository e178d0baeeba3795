// The one source of the object library that precompiles Qt's headers for a folder's window
// tests; it has nothing of its own to compile.
