int msgdata_placeholder() { return 1; }
