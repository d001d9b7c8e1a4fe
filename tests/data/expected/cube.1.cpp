glBegin(GL_TRIANGLES);
	//face number 1
	glNormal3f(0.,-1.,0.);
	glTexCoord2f(0.,0.);	glVertex3f(-10.,-10.,10.);
	glNormal3f(0.,-1.,0.);
	glTexCoord2f(0.,1.);	glVertex3f(-10.,-10.,-10.);
	glNormal3f(0.,-1.,0.);
	glTexCoord2f(1.,1.);	glVertex3f(10.,-10.,-10.);
	//face number 2
	glNormal3f(0.,-1.,0.);
	glTexCoord2f(1.,1.);	glVertex3f(10.,-10.,-10.);
	glNormal3f(0.,-1.,0.);
	glTexCoord2f(1.,0.);	glVertex3f(10.,-10.,10.);
	glNormal3f(0.,-1.,0.);
	glTexCoord2f(0.,0.);	glVertex3f(-10.,-10.,10.);
	//face number 3
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.,0.);	glVertex3f(-10.,10.,10.);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.,1.);	glVertex3f(10.,10.,10.);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(1.,1.);	glVertex3f(10.,10.,-10.);
	//face number 4
	glNormal3f(0.,1.,0.);
	glTexCoord2f(1.,1.);	glVertex3f(10.,10.,-10.);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(1.,0.);	glVertex3f(-10.,10.,-10.);
	glNormal3f(0.,1.,0.);
	glTexCoord2f(0.,0.);	glVertex3f(-10.,10.,10.);
	//face number 5
	glNormal3f(0.,0.,1.);
	glTexCoord2f(0.,0.);	glVertex3f(-10.,-10.,10.);
	glNormal3f(0.,0.,1.);
	glTexCoord2f(0.,1.);	glVertex3f(10.,-10.,10.);
	glNormal3f(0.,0.,1.);
	glTexCoord2f(1.,1.);	glVertex3f(10.,10.,10.);
	//face number 6
	glNormal3f(0.,0.,1.);
	glTexCoord2f(1.,1.);	glVertex3f(10.,10.,10.);
	glNormal3f(0.,0.,1.);
	glTexCoord2f(1.,0.);	glVertex3f(-10.,10.,10.);
	glNormal3f(0.,0.,1.);
	glTexCoord2f(0.,0.);	glVertex3f(-10.,-10.,10.);
	//face number 7
	glNormal3f(1.,0.,0.);
	glTexCoord2f(0.,0.);	glVertex3f(10.,-10.,10.);
	glNormal3f(1.,0.,0.);
	glTexCoord2f(0.,1.);	glVertex3f(10.,-10.,-10.);
	glNormal3f(1.,0.,0.);
	glTexCoord2f(1.,1.);	glVertex3f(10.,10.,-10.);
	//face number 8
	glNormal3f(1.,0.,0.);
	glTexCoord2f(1.,1.);	glVertex3f(10.,10.,-10.);
	glNormal3f(1.,0.,0.);
	glTexCoord2f(1.,0.);	glVertex3f(10.,10.,10.);
	glNormal3f(1.,0.,0.);
	glTexCoord2f(0.,0.);	glVertex3f(10.,-10.,10.);
	//face number 9
	glNormal3f(0.,0.,-1.);
	glTexCoord2f(0.,0.);	glVertex3f(10.,-10.,-10.);
	glNormal3f(0.,0.,-1.);
	glTexCoord2f(0.,1.);	glVertex3f(-10.,-10.,-10.);
	glNormal3f(0.,0.,-1.);
	glTexCoord2f(1.,1.);	glVertex3f(-10.,10.,-10.);
	//face number 10
	glNormal3f(0.,0.,-1.);
	glTexCoord2f(1.,1.);	glVertex3f(-10.,10.,-10.);
	glNormal3f(0.,0.,-1.);
	glTexCoord2f(1.,0.);	glVertex3f(10.,10.,-10.);
	glNormal3f(0.,0.,-1.);
	glTexCoord2f(0.,0.);	glVertex3f(10.,-10.,-10.);
	//face number 11
	glNormal3f(-1.,0.,0.);
	glTexCoord2f(0.,0.);	glVertex3f(-10.,-10.,-10.);
	glNormal3f(-1.,0.,0.);
	glTexCoord2f(0.,1.);	glVertex3f(-10.,-10.,10.);
	glNormal3f(-1.,0.,0.);
	glTexCoord2f(1.,1.);	glVertex3f(-10.,10.,10.);
	//face number 12
	glNormal3f(-1.,0.,0.);
	glTexCoord2f(1.,1.);	glVertex3f(-10.,10.,10.);
	glNormal3f(-1.,0.,0.);
	glTexCoord2f(1.,0.);	glVertex3f(-10.,10.,-10.);
	glNormal3f(-1.,0.,0.);
	glTexCoord2f(0.,0.);	glVertex3f(-10.,-10.,-10.);
glEnd();