# A root of the case's own, with every entry of the real one bound in.
--- needs sandbox
--- $ mkdir root && cp "$tool" root/ && wrap="$sandbox --root root --" run_tool /triple_import missing.txt
Current Dir =  
/triple_import: Unable to open missing.txt
\ No newline at end of file
--- status 255
