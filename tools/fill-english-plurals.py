import re,sys
p=sys.argv[1]
s=open(p).read()
# [^<]* keeps a match inside one message: ".*?" with re.S ran on from a message already
# filled to the next unfinished one and wrote over everything between them.
pat=re.compile(r'(<source>([^<]*)</source>\s*(?:<comment>[^<]*</comment>\s*)?(?:<extracomment>[^<]*</extracomment>\s*)?)<translation type="unfinished">\s*<numerusform></numerusform>\s*<numerusform></numerusform>\s*</translation>')
def fix(m):
    src=m.group(2)
    one=src.replace('(s)',''); many=src.replace('(s)','s')
    return m.group(1)+'<translation>\n            <numerusform>%s</numerusform>\n            <numerusform>%s</numerusform>\n        </translation>' % (one,many)
s=pat.sub(fix,s)
open(p,'w').write(s)
