// Holds the test headers that are compiled once and reused by the tests.
